#pragma once

#include "contest_changes.h"
#include "contest_settings.h"
#include "results_model.h"
#include "results_printing.h"
#include "series_view.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QTableWidget;

namespace orlo {

// Where the Standings window gets the contest from. read runs on a worker
// thread, one read at a time, so it may keep what it read for the next, and throws an exception whose what() tells the director why the
// journal could not be read; the contest's settings are read and kept, and
// the results saved in the format the file's extension names, on the
// window's thread, and what is refused throws likewise.
struct StandingsSource {
    std::function<contest::Results()> read;
    std::function<contest::ContestSettings()> contest;
    std::function<void(const contest::ContestSettings &)> setContest;
    std::function<void(const contest::Results &, const std::string &path)> save;
    // The season's series, in a view of its own beside the contest's; none without a read.
    SeriesSource series;
    std::function<void()> showOnNetwork; // opens "Show on the network…"; none: no such button
    // Opens the order of flying; none, no button.
    std::function<void()> flightOrder;
};

// The live standings beside the sheet: a class or combination at a time,
// read again shortly after each change to the contest, whoever made it, and
// the results sheet printed, previewed or saved from them, never from a
// table older than the last change told. Modeless; its dialogs block it
// alone, never the sheet. The contest's settings changed here are told to changes.
class StandingsWindow final : public QWidget {
public:
    StandingsWindow(StandingsSource source, ContestChanges &changes, QWidget *parent = nullptr);
    // Waits for a read still running, which uses the source.
    ~StandingsWindow() override;

    // The contest changed: an open window reads the standings again soon,
    // once for a burst of changes, and never while the sheet's press runs.
    void journalChanged();

    // Writes the results as the file's extension names: .pdf, .html, .csv
    // or .xlsx, and says in the state line what was written, or in a box
    // beside it why nothing was.
    bool saveTo(const QString &path);

protected:
    // Shown again, it reads again: a flight corrected meanwhile shows.
    void showEvent(QShowEvent *event) override;

private:
    struct Read {
        contest::Results results;
        QString problem; // empty when the journal was read
        long long asOf = 0; // the count of changes told when the read began
    };

    void buildControls();
    void readNow();
    void takeRead();
    static Read readOf(const std::function<contest::Results()> &read, long long asOf);
    void showRead(Read read);
    // Reads now, on this thread, when a change was told after the table
    // shown was read: what is saved or printed is as of the last change.
    void readUpToDate();
    void showChosen();
    void print();
    void preview();
    void openPrintDialog(PrintDialogKind kind);
    void printOn(QPagedPaintDevice &printer) const;
    void chooseFileToSave();
    void editContest();
    void keepContest(const contest::ContestSettings &contest);

    StandingsSource m_source;
    ContestChanges &m_changes;
    long long m_told = 0;       // changes told so far
    long long m_shownAsOf = -1; // m_told when the read shown began; -1 before the first
    contest::Results m_results;
    QString m_problem;
    QTimer m_soon;
    QFutureWatcher<Read> m_reading;
    bool m_readAgain = false;
    QComboBox *m_chooser = nullptr;
    QLabel *m_state = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_note = nullptr;
    QString m_written; // "Wrote the results to …", said after the state once saved
    QPushButton *m_contest = nullptr;
    SeriesView *m_seriesView = nullptr;
};

} // namespace orlo
