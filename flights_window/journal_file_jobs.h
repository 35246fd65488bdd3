#pragma once

#include "contest_changes.h"
#include "flight_journal.h"
#include "journal_reader.h"

#include <QFileDialog>
#include <QObject>
#include <QString>

#include <functional>

class QPushButton;
class QWidget;

namespace orlo {

class FlightExportJob;
struct JournalExport;

// The journal's file jobs for the flights window: the export of the flights
// shown, the backup and the merge of another scoring table, each from its
// button through its file dialog to a run beside the sheet, one at a time.
// A merge done is told to changes.
class JournalFileJobs final : public QObject {
    Q_OBJECT
public:
    // The buttons are made on window, which lays them out; shownFlights
    // answers the filter of the flights the window shows.
    JournalFileJobs(journal::FlightJournal &journal, ContestChanges &changes, QWidget &window,
                    std::function<journal::FlightFilter()> shownFlights);
    ~JournalFileJobs() override;

    QPushButton *exportButton() const { return m_export; }
    QPushButton *backUpButton() const { return m_backup; }
    QPushButton *mergeButton() const { return m_merge; }

    // Writes the flights shown as CSV: what "Export CSV…" does once the file is chosen.
    void exportTo(const QString &fileName);
    // Copies the journal: what "Back up journal…" does once the file is chosen.
    void backUpTo(const QString &fileName);
    // Brings another table's journal in: what "Merge another scoring table…" does.
    void mergeFrom(const QString &fileName);

    // What the last job did, or the one running is doing; empty before the first.
    const QString &doing() const { return m_doing; }

signals:
    // A job started: doing() says what it does.
    void started();
    // A job ended; sentence is what doing() now says of it, without the
    // journal's notice that may come before.
    void finished(bool done, const QString &sentence);

private:
    void chooseFile(const QString &title, const QString &suggested, const QString &filter,
                    QFileDialog::AcceptMode mode, void (JournalFileJobs::*then)(const QString &));
    enum class Changes { Nothing, Journal };
    void runBeside(const QString &doing, std::function<JournalExport()> job, Changes changes = Changes::Nothing);
    void ended(const JournalExport &outcome);
    void enableButtons(bool enabled);

    journal::FlightJournal &m_journal;
    ContestChanges &m_changes;
    QWidget &m_window;
    std::function<journal::FlightFilter()> m_shownFlights;
    FlightExportJob *m_job = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_backup = nullptr;
    QPushButton *m_merge = nullptr;
    QString m_doing;
    bool m_merging = false; // the job running is a merge
};

} // namespace orlo
