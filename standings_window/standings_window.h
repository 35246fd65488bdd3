#pragma once

#include "contest_settings.h"
#include "results_model.h"
#include "results_printing.h"

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
    // Opens the order of flying; none, no button.
    std::function<void()> flightOrder;
};

// The live standings beside the sheet: a class or combination at a time,
// read again shortly after each flight recorded, and the results sheet
// printed, previewed or saved from them. Modeless; its dialogs block it
// alone, never the sheet.
class StandingsWindow final : public QWidget {
public:
    explicit StandingsWindow(StandingsSource source, QWidget *parent = nullptr);
    // Waits for a read still running, which uses the source.
    ~StandingsWindow() override;

    // A flight was recorded or changed: an open window reads the standings again soon,
    // once for a burst of changes, and never while the sheet's press runs.
    void journalChanged();

    const contest::Results &results() const { return m_results; }
    QComboBox *chooser() const { return m_chooser; }
    QTableWidget *table() const { return m_table; }
    QLabel *stateLine() const { return m_state; }
    // Whether a read is under way or due.
    bool isReading() const;

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
    };

    void buildControls();
    void readNow();
    void takeRead();
    void showChosen();
    void print();
    void preview();
    void openPrintDialog(PrintDialogKind kind);
    void printOn(QPagedPaintDevice &printer) const;
    void chooseFileToSave();
    void editContest();
    void closeClassesAsked(contest::ContestSettings contest);
    void keepContest(const contest::ContestSettings &contest);

    StandingsSource m_source;
    contest::Results m_results;
    QString m_problem;
    QTimer m_soon;
    QFutureWatcher<Read> m_reading;
    bool m_readAgain = false;
    QComboBox *m_chooser = nullptr;
    QLabel *m_state = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_contest = nullptr;
};

} // namespace orlo
