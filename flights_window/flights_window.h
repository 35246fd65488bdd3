#pragma once

#include "contest_changes.h"
#include "contest_journal.h"
#include "flight_journal.h"
#include "journal_reader.h"

#include <QWidget>

class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class QTableView;

namespace orlo {

class ContestCorrections;
class FlightFilters;
class FlightHistoryView;
class FlightTableModel;
class JournalFileJobs;
class NowFlying;

// The flights window: the contest's list of flights, newest first or ordered
// by a column, filtered by day, class and contestant, with the calculations
// of the chosen flight below and the export of the flights shown. A window of its own beside the sheet, which it
// never blocks: its file dialogs block this window alone, and exports and
// backups run on a thread of their own. It follows every change told to
// changes, and tells there the changes the director makes in it.
class FlightsWindow final : public QWidget {
    Q_OBJECT
public:
    FlightsWindow(journal::FlightJournal &journal, ContestChanges &changes, QWidget *parent = nullptr);
    ~FlightsWindow() override;

    // Reads the flights again under the chosen filters, keeping the chosen
    // flight; when the journal cannot be read, says so and keeps what it showed.
    void reload();
    // The journal changed: a window on the screen shows it soon, a hidden
    // one when it is shown again.
    void journalChanged();
    // Writes the flights shown as CSV: what "Export CSV…" does once the file
    // is chosen. Runs beside the sheet; jobFinished tells the outcome.
    void exportTo(const QString &fileName);
    // Takes the keyboard to the "Now flying" picker, its text chosen.
    void pickNowFlying();
    // Empties the "Now flying" picker: the contestant who flew is done.
    void clearNowFlying();
    // Opens the correction of the chosen flight, blocking this window alone.
    void correctChosenFlight();
    // Opens the entry list.
    void openEntryList();
    // The sheet the entry list first opens beside.
    void setSheet(QWidget &sheet);

signals:
    // The director named the contestant flying next (0: nobody named).
    void nowFlying(std::int64_t entry);
    // An export or backup ended; sentence is what the status line says of it.
    void jobFinished(bool done, const QString &sentence);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void setUpFlightsTable();
    QSplitter *tableAndHistory();
    QHBoxLayout *nowFlyingRow();
    QVBoxLayout *filterRow();
    void connectControls();
    void follow(ContestChange what);
    void jobEnded(bool done, const QString &sentence);
    void showReadFailure(const QString &problem);
    void showHistory();
    void showCount();
    void showFirstColumn();
    std::int64_t chosenFlight() const;

    journal::FlightJournal &m_journal;
    ContestChanges &m_changes;
    // The entry list and the flights' changes as read, over a connection
    // that never writes: a journal one may read but not write is read whole.
    journal::JournalReader m_reader;
    // The entry list and the corrections as changed, over a connection of
    // their own, opened at the first change.
    journal::ContestJournal m_contest;
    ContestCorrections *m_corrections = nullptr;
    JournalFileJobs *m_fileJobs = nullptr;
    FlightFilters *m_filters = nullptr;
    NowFlying *m_nowFlying = nullptr;
    FlightTableModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    FlightHistoryView *m_history = nullptr;
    QPushButton *m_correct = nullptr;
    QPushButton *m_entries = nullptr;
    QLabel *m_status = nullptr;
    QString m_readFailure; // why the last reading failed; empty after one that did not
    bool m_stale = false;
    std::int64_t m_newestShown = 0; // the newest flight shown yet, chosen as it arrived
    bool m_reloadQueued = false;
};

} // namespace orlo
