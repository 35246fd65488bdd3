#include "standings_window_steps.h"

#include "contest_journal.h"
#include "contest_settings_dialog.h"
#include "contestant_picker.h"
#include "entry_list_window.h"
#include "flight_correction_dialog.h"
#include "flight_journal.h"
#include "journal_reader.h"
#include "flight_table_model.h"
#include "flights_window.h"
#include "flights_window_opener.h"
#include "hang_watchdog.h"
#include "journal_file_jobs.h"
#include "journal_problem_notice.h"
#include "named_control.h"
#include "season_dialogs.h"
#include "series_dialog.h"
#include "sheet_driver.h"
#include "standings_window.h"
#include "wired_program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QFutureWatcher>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QLabel>
#include <QSignalSpy>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QScopeGuard>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;
using namespace standings_steps;


// The Standings window beside the real score sheet, as the program wires them.
class StandingsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(prepareSheetTests(), "the sheet's fonts are missing"); }
    void recordedFlightShowsInTheStandings();
    void failedReadToldOnTheSheetUntilReadAgain();
    void changeElsewhereShownAndSaved_data();
    void changeElsewhereShownAndSaved();
    void flightToldOnTheSheet_data();
    void flightToldOnTheSheet();
    void contestSettingsKeptForTheContestShown();
    void seriesSetUpInItsView();
};

void StandingsWindowTest::recordedFlightShowsInTheStandings()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    journal::ContestJournal(path.toStdString()).add({"Ann Example", "17", {"Class I"}});
    journal::ContestJournal(path.toStdString()).add({"Bo Still", "18", {"Class I"}});
    WiredProgram program(path);
    QVERIFY2(program.start(), "the score sheet did not start");

    QTest::keyClick(&program.sheet, Qt::Key_R, Qt::ControlModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(program.program.standings() && program.program.standings()->isVisible(),
                              "Ctrl+R opened no Standings window", hangWatchdogMs);
    StandingsWindow &window = *program.program.standings();
    QVERIFY2(!window.isModal(), "the Standings window must not block the sheet");
    QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(window).contains(QLatin1String("Ann Example | 17 |  | still to fly")),
                              qPrintable(rowsOf(window) + stateLineOf(window)->text()), hangWatchdogMs);

    // The flight is scored before anyone names its contestant: it counts nowhere yet.
    program.sheet.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs), "the sheet could not be come back to");
    QVERIFY2(enterWorkedRuns(program.sheet), "the runs of the worked example were not taken");
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    QTRY_COMPARE_WITH_TIMEOUT(textOf(program.sheet, Score), QStringLiteral("165.9"), hangWatchdogMs);
    QTRY_VERIFY2_WITH_TIMEOUT(namedControl<QLabel>(window, QStringLiteral("standingsNote"))->text().startsWith(QLatin1String("1 flight has no contestant")),
                              "the flight scored did not reach the standings", hangWatchdogMs);

    // Named in the flights window: the standings rank it under its contestant.
    program.program.flights()->open();
    FlightsWindow &flights = *program.program.flights()->window();
    auto *flightsView = namedControl<QTableView>(flights, QStringLiteral("Flights"));
    QAbstractItemModel &rows = *flightsView->model();
    QTRY_VERIFY2_WITH_TIMEOUT(rows.rowCount() == 1, "the flights window lists no flight", hangWatchdogMs);
    QVERIFY2(rows.setData(rows.index(0, FlightTableModel::Contestant), QStringLiteral("Ann Example"), Qt::EditRole),
             "the flight took no contestant");
    QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(window).startsWith(QLatin1String("1 | Ann Example | 17 | 165.9 | 165.9 | ")),
                              qPrintable(rowsOf(window)), hangWatchdogMs);
    QVERIFY2(stateLineOf(window)->text().startsWith(QLatin1String("Provisional, as of ")),
             qPrintable(stateLineOf(window)->text()));
    // Ann flew the first round; Bo has not.
    QVERIFY2(stateLineOf(window)->text().endsWith(QLatin1String(". Round 1 of 2: 1 still to fly")),
             qPrintable(stateLineOf(window)->text()));
    QCOMPARE(chooserOf(window)->currentText(), QStringLiteral("Class I"));

    // Closed by the director under Contest…: the class says so at once.
    auto *contestButton = window.findChild<QPushButton *>(QStringLiteral("contestButton"));
    QVERIFY2(contestButton && contestButton->isEnabled(), "no Contest… button");
    contestButton->click();
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<ContestSettingsDialog *>(), "Contest… opened no dialog", hangWatchdogMs);
    auto *dialog = window.findChild<ContestSettingsDialog *>();
    QVERIFY2(dialog->windowModality() == Qt::WindowModal, "the contest's dialog must not block the sheet");
    QTableWidget &classes = *namedControl<QTableWidget>(*dialog, QStringLiteral("ContestClasses"));
    QCOMPARE(classes.item(0, 0)->text(), QStringLiteral("Class I"));
    static_cast<QCheckBox *>(classes.cellWidget(0, classes.columnCount() - 1))->setChecked(true);
    dialog->accept();
    // Bo is still to fly: the class closes once the director says so.
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<QMessageBox *>(QStringLiteral("closeWithStillToFly")),
                              "closing a class with a contestant still to fly asked nothing", hangWatchdogMs);
    auto *ask = window.findChild<QMessageBox *>(QStringLiteral("closeWithStillToFly"));
    QVERIFY2(ask->text() == QLatin1String("Bo Still is still to fly in Class I. Close the class anyway?"),
             qPrintable(ask->text()));
    QVERIFY2(ask->windowModality() == Qt::WindowModal, "the question must not block the sheet");
    QVERIFY2(stateLineOf(window)->text() != QLatin1String("Final"), "closed before the director answered");
    for (QAbstractButton *answer : ask->buttons())
        if (answer->text() == QLatin1String("&Close anyway"))
            answer->click();
    QTRY_VERIFY2_WITH_TIMEOUT(stateLineOf(window)->text() == QLatin1String("Final"),
                              qPrintable(stateLineOf(window)->text()), hangWatchdogMs);
    const contest::ClassRule closed = journal::JournalReader(path.toStdString()).contest().classes.at(0);
    QVERIFY2(closed.final && !closed.finalAt.empty(), "not kept in the journal with the time it was closed");

    // Saved as the name's extension says; a name of no format writes nothing.
    QVERIFY2(window.saveTo(folder.filePath(QStringLiteral("results.xlsx"))), qPrintable(stateLineOf(window)->text()));
    // The state stays said, the file written after it.
    QCOMPARE(stateLineOf(window)->text(), QStringLiteral("Final. Wrote the results to %1.")
                                             .arg(QDir::toNativeSeparators(folder.filePath(QStringLiteral("results.xlsx")))));
    // The refusal in a box of its own; the state line still says the class is final.
    QVERIFY2(!window.saveTo(folder.filePath(QStringLiteral("results.txt"))), "a .txt file was written");
    auto *refused = window.findChild<QMessageBox *>(QStringLiteral("saveFailed"));
    QVERIFY2(refused && refused->isVisible() && refused->text().contains(QLatin1String("Nothing was written")),
             "the failed save was not told in a message box");
    QVERIFY2(stateLineOf(window)->text() == QLatin1String("Final"), qPrintable(stateLineOf(window)->text()));
    refused->close();

    // The preview's dialog comes from the printing module, loaded at this first use.
    QPushButton *previewButton = nullptr;
    for (QPushButton *each : window.findChildren<QPushButton *>())
        if (each->text() == QStringLiteral("Print preview…"))
            previewButton = each;
    QVERIFY2(previewButton, "no Print preview… button");
    previewButton->click();
    const auto previewDialog = [&window]() -> QDialog * {
        for (QDialog *each : window.findChildren<QDialog *>())
            if (each->isVisible() && each->inherits("QPrintPreviewDialog"))
                return each;
        return nullptr;
    };
    QTRY_VERIFY2_WITH_TIMEOUT(previewDialog(), qPrintable(stateLineOf(window)->text()), hangWatchdogMs);
    QVERIFY2(previewDialog()->windowModality() == Qt::WindowModal, "the preview must not block the sheet");
    previewDialog()->close();

    // Made void in the flights window: it counts nowhere, and Ann is still to fly.
    flightsView->setCurrentIndex(rows.index(0, 0));
    flights.correctChosenFlight();
    auto *correction = flights.findChild<FlightCorrectionDialog *>();
    QVERIFY2(correction, "no correction dialog");
    auto *status = namedControl<QComboBox>(*correction, QStringLiteral("CorrectedStatus"));
    status->setCurrentIndex(status->findData(QStringLiteral("void")));
    namedControl<QLineEdit>(*correction, QStringLiteral("CorrectionReason"))->setText(QStringLiteral("test flight"));
    correction->accept();
    QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(window).contains(QLatin1String("Ann Example | 17 |  | still to fly")),
                              qPrintable(rowsOf(window)), hangWatchdogMs);

    // Closed, it reads the journal no more until it is shown again.
    window.close();
    window.journalChanged();
    QVERIFY2(!namedControl<QTimer>(window, QStringLiteral("standingsReadSoon"))->isActive()
                 && !namedControl<QFutureWatcherBase>(window, QStringLiteral("standingsReading"))->isRunning(),
             "a closed Standings window read the journal");
}

namespace {

QString savedText(StandingsWindow &window, const QString &path)
{
    if (!window.saveTo(path))
        return stateLineOf(window)->text();
    QFile saved(path);
    return saved.open(QIODevice::ReadOnly) ? QString::fromUtf8(saved.readAll()) : saved.errorString();
}

} // namespace

// A read that fails keeps the standings read before, and every sheet printed
// or saved from them says so; the next read reads the journal afresh.
void StandingsWindowTest::failedReadToldOnTheSheetUntilReadAgain()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    journal::ContestJournal(path.toStdString()).add({"Ann Example", "17", {"Class I"}});
    WiredProgram program(path);
    QVERIFY2(program.start(), "the score sheet did not start");
    QTest::keyClick(&program.sheet, Qt::Key_R, Qt::ControlModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(program.program.standings() && program.program.standings()->isVisible(),
                              "Ctrl+R opened no Standings window", hangWatchdogMs);
    StandingsWindow &window = *program.program.standings();
    QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(window).contains(QLatin1String("Ann Example | 17 |  | still to fly")),
                              qPrintable(rowsOf(window) + stateLineOf(window)->text()), hangWatchdogMs);

    // A folder where the journal was: no reader can open it.
    const QString aside = folder.filePath(QStringLiteral("journal.sqlite.aside"));
    QVERIFY2(QDir().rename(path, aside) && QDir().mkdir(path), "the journal could not be put aside");
    window.journalChanged();
    QTRY_VERIFY2_WITH_TIMEOUT(stateLineOf(window)->text().contains(QLatin1String("The standings shown were read before")),
                              qPrintable(stateLineOf(window)->text()), hangWatchdogMs);
    const struct {
        const char *format;
        const char *said;
    } sheets[] = {{"csv", "the journal could not be read at "}, {"html", "The journal could not be read at "}};
    for (const auto &sheet : sheets) {
        const QString saved = savedText(window, folder.filePath(QStringLiteral("unread.") + sheet.format));
        QVERIFY2(saved.contains(QLatin1String(sheet.said)) && saved.contains(QLatin1String("Ann Example")),
                 qPrintable(saved));
    }

    // Back in place, the next read reads it: the sheet says nothing more.
    QVERIFY2(QDir().rmdir(path) && QDir().rename(aside, path), "the journal could not be put back");
    window.journalChanged();
    QTRY_VERIFY2_WITH_TIMEOUT(stateLineOf(window)->text().startsWith(QLatin1String("Provisional, as of ")),
                              qPrintable(stateLineOf(window)->text()), hangWatchdogMs);
    const QString saved = savedText(window, folder.filePath(QStringLiteral("read.csv")));
    QVERIFY2(saved.contains(QLatin1String("Ann Example")) && !saved.contains(QLatin1String("could not be read")),
             qPrintable(saved));
}


// A flight that reaches the journal by another way than this program's
// sheet shows in the open Standings window without a key pressed, and
// "Save results…" writes it: another scoring table merged in (which closed
// Class I there), here or by another program, and another program recording
// into the same journal.
void StandingsWindowTest::changeElsewhereShownAndSaved_data()
{
    QTest::addColumn<QString>("way");   // the flight written into another table's journal and merged, or not
    QTest::addColumn<QString>("state"); // of Class I in the file saved
    QTest::newRow("merged-then-saved-at-once") << "merged here" << "\"final, closed ";
    QTest::newRow("recorded-by-another-program") << "recorded elsewhere" << "\"provisional, as of ";
    QTest::newRow("merged-by-another-program") << "merged elsewhere" << "\"final, closed ";
    // Saved before the look every little while could see the change.
    QTest::newRow("recorded-elsewhere-then-saved-at-once") << "recorded elsewhere, saved at once"
                                                          << "\"provisional, as of ";
}

void StandingsWindowTest::changeElsewhereShownAndSaved()
{
    QFETCH(QString, way);
    QFETCH(QString, state);
    const bool merged = way.startsWith(QLatin1String("merged"));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    const QString other = folder.filePath(QStringLiteral("other.sqlite"));
    journal::ContestJournal(path.toStdString()).add({"Ann Example", "17", {"Class I"}});
    const std::int64_t bo = journal::ContestJournal(path.toStdString()).add({"Bo Still", "18", {"Class I"}});
    if (merged) // the other table set up from this one, as on a second laptop
        QCOMPARE(journal::backUpJournal(path.toStdString(), other.toStdString()), 0);
    WiredProgram program(path);
    QVERIFY2(program.start(), "the score sheet did not start");
    program.program.openStandings();
    StandingsWindow &window = *program.program.standings();
    QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(window).contains(QLatin1String("Bo Still | 18 |  | still to fly")),
                              qPrintable(rowsOf(window) + stateLineOf(window)->text()), hangWatchdogMs);
    // The flights window and the entry list open beside it follow the change as well.
    program.program.flights()->open();
    FlightsWindow &flights = *program.program.flights()->window();
    flights.openEntryList();
    QTableWidget &entries = *namedControl<QTableWidget>(*flights.findChild<EntryListWindow *>(), QStringLiteral("Entries"));
    const auto flightsOfBo = [&entries] {
        for (int row = 0; row < entries.rowCount(); ++row)
            if (entries.item(row, EntryListWindow::Name)->text() == QLatin1String("Bo Still"))
                return entries.item(row, EntryListWindow::Flights)->text();
        return QStringLiteral("not listed");
    };
    QCOMPARE(flightsOfBo(), QStringLiteral("0"));
    // The reads of its opening done: none is due when the flight comes.
    QTRY_VERIFY2_WITH_TIMEOUT(!namedControl<QTimer>(window, QStringLiteral("standingsReadSoon"))->isActive()
                                  && !namedControl<QFutureWatcherBase>(window, QStringLiteral("standingsReading"))->isRunning(),
                              "the Standings window went on reading", hangWatchdogMs);

    {
        const std::string written = (merged ? other : path).toStdString();
        journal::FlightJournal flights(written);
        flights.nowFlying(bo);
        CalculationRecord calculation;
        calculation.classCaption = "Class I";
        calculation.score = "150.0";
        calculation.summary = {"150.0"};
        flights.calculated(calculation);
        flights.flightEnded();
        if (merged)
            journal::ContestJournal(written).setFinal("Class I", true);
    }
    if (way == QLatin1String("merged elsewhere")) {
        // The program itself, run from the command line while this one is open on the journal.
        QProcess merging;
        merging.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        merging.setProcessEnvironment(environment);
        merging.start(QStringLiteral(ORLO_SCORE_PROGRAM), {QStringLiteral("--journal"), path,
                                                           QStringLiteral("--merge-journal"), other});
        const auto ended = qScopeGuard([&merging] {
            merging.kill();
            merging.waitForFinished(hangWatchdogMs);
        });
        QVERIFY2(merging.waitForFinished(hangWatchdogMs) && merging.exitStatus() == QProcess::NormalExit,
                 "the merging program did not end");
        QVERIFY2(merging.exitCode() == 0, merging.readAll().constData());
        // Nothing told but the journal itself.
        QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(window).contains(QLatin1String("Bo Still | 18 | 150.0")),
                                  qPrintable(rowsOf(window)), hangWatchdogMs);
    } else if (merged) {
        QSignalSpy finished(&flights, &FlightsWindow::jobFinished);
        flights.findChild<JournalFileJobs *>()->mergeFrom(other);
        QTRY_VERIFY2_WITH_TIMEOUT(finished.size() == 1, "the merge did not end", hangWatchdogMs);
        QVERIFY2(finished.front().at(0).toBool(), qPrintable(finished.front().at(1).toString()));
    } else if (way == QLatin1String("recorded elsewhere")) {
        // Nothing told but the journal itself.
        QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(window).contains(QLatin1String("Bo Still | 18 | 150.0")),
                                  qPrintable(rowsOf(window)), hangWatchdogMs);
    }
    // Saved at once: the table shown may be older than the change.
    const QString saved = savedText(window, folder.filePath(QStringLiteral("results.csv")));
    QVERIFY2(saved.contains(QLatin1String("Bo Still")) && saved.contains(QLatin1String("150.0")), qPrintable(saved));
    QVERIFY2(saved.contains(state), qPrintable(saved));
    QVERIFY2(rowsOf(window).contains(QLatin1String("Bo Still | 18 | 150.0")), qPrintable(rowsOf(window)));
    QTRY_COMPARE_WITH_TIMEOUT(namedControl<QTableView>(flights, QStringLiteral("Flights"))->model()->rowCount(), 1,
                              hangWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(flightsOfBo(), QStringLiteral("1"), hangWatchdogMs);
}

// What the official is told on the sheet when Ann is named as flying next
// and when her flight in Class I is scored, and what the Standings then say:
// a final class keeps the flight without counting it, and a flight that
// will not count is said before and after it is flown; never a block.

void StandingsWindowTest::flightToldOnTheSheet_data()
{
    QTest::addColumn<QStringList>("classes");  // Ann's
    QTest::addColumn<int>("flownBefore");      // her official flights in Class I
    QTest::addColumn<bool>("final");           // Class I closed before she flies
    QTest::addColumn<QString>("beforeFlying"); // told once she is named
    QTest::addColumn<QString>("afterScoring"); // told at Calc. Score
    QTest::addColumn<QString>("standing");     // her row in the Standings
    QTest::addColumn<QStringList>("contestDays");  // its name, first and last day; none set when empty

    const QString closed = QStringLiteral("Class I is final: this flight is kept, and counts once the director "
                                          "reopens the class.");
    QTest::newRow("ordinary-flight") << QStringList{"Class I"} << 0 << false << QString() << QString()
                                     << "1 | Ann Example | 17 | 165.9 | 165.9" << QStringList();
    QTest::newRow("last-official-flight") << QStringList{"Class I"} << 1 << false << QString() << QString()
                                          << "1 | Ann Example | 17 | 100.0 | 165.9 | 165.9" << QStringList();
    QTest::newRow("all-official-flights-flown")
        << QStringList{"Class I"} << 2 << false
        << "Ann Example has flown the 2 official flights of Class I: another is listed and does not count."
        << "Ann Example has flown the 2 official flights of Class I: another is listed and does not count."
        << "1 | Ann Example | 17 | 100.0 | 100.0 | (165.9) | 100.0" << QStringList();
    QTest::newRow("not-entered-in-the-class")
        << QStringList{"Profile"} << 0 << false << "Ann Example is not entered in Class I."
        << "Ann Example is not entered in Class I." << "1 | Ann Example | 17 | 165.9 | 165.9" << QStringList();
    QTest::newRow("final-class-keeps-the-flight-waiting")
        << QStringList{"Class I"} << 1 << true << closed << closed << "1 | Ann Example | 17 | 100.0 | 100.0" << QStringList();
    QTest::newRow("flight-outside-the-contest-days")
        << QStringList{"Class I"} << 0 << false << QString()
        << QStringLiteral("This flight, on 2029-12-31, is recorded into Spring Carrier Meet, whose days are "
                          "2030-01-01 to 2030-01-02. If it belongs to another contest, start that contest with New "
                          "contest… (Ctrl+Shift+N) before the next flight, or move the flight to it with Correct "
                          "flight… in the flights window (Ctrl+J).")
        << "1 | Ann Example | 17 | 165.9 | 165.9" << QStringList{"Spring Carrier Meet", "2030-01-01", "2030-01-02"};
}

void StandingsWindowTest::flightToldOnTheSheet()
{
    QFETCH(QStringList, classes);
    QFETCH(int, flownBefore);
    QFETCH(bool, final);
    QFETCH(QString, beforeFlying);
    QFETCH(QString, afterScoring);
    QFETCH(QString, standing);
    QFETCH(QStringList, contestDays);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    const std::time_t minuteAgo = std::time(nullptr) - 60;
    {
        std::vector<std::string> entered;
        for (const QString &caption : classes)
            entered.push_back(caption.toStdString());
        journal::ContestJournal contest(path.toStdString());
        const QStringList &named = contestDays;
        const std::int64_t ann = contest.add({"Ann Example", "17", entered});
        journal::FlightJournal flights(path.toStdString());
        flights.setClock([minuteAgo] { return minuteAgo - 60; });
        for (int flight = 0; flight < flownBefore; ++flight) {
            flights.nowFlying(ann);
            CalculationRecord calculation;
            calculation.classCaption = "Class I";
            calculation.score = "100.0";
            calculation.summary = {std::to_string(flight)};
            flights.calculated(calculation);
            flights.flightEnded();
        }
        contest.setClock([minuteAgo] { return minuteAgo; });
        if (final) {
            contest.setFinal("Class I", true);
            contest::ContestSettings settings = journal::JournalReader(path.toStdString()).contest();
            settings.combinations = {{"Class I + Class II", {"Class I", "Class II"}}};
            contest.setContest(settings);
        }
        if (!named.isEmpty()) {
            contest::ContestSettings settings = journal::JournalReader(path.toStdString()).contest();
            settings.name = named[0].toStdString();
            settings.firstDay = named[1].toStdString();
            settings.lastDay = named[2].toStdString();
            contest.setContest(settings);
        }
    }
    WiredProgram program(path);
    QVERIFY2(program.start(), "the score sheet did not start");
    // Days set: the journal stamps its flights a second before the first
    // day's midnight, whatever the computer's own day.
    const QDateTime eve(QDate(2029, 12, 31), QTime(23, 59, 59));
    if (!contestDays.isEmpty())
        program.program.journal()->setClock([eve] { return std::time_t(eve.toSecsSinceEpoch()); });

    program.program.flights()->pickNowFlying();
    FlightsWindow &flights = *program.program.flights()->window();
    auto *picker = namedControl<ContestantPicker>(flights, QStringLiteral("NowFlying"));
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() == picker, "the Now flying picker did not take the keyboard",
                              hangWatchdogMs);
    QTest::keyClicks(picker, QStringLiteral("17"));
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::activePopupWidget(), "typing offered nobody", hangWatchdogMs);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.isActiveWindow(), "the keyboard did not go back to the sheet", hangWatchdogMs);
    if (!beforeFlying.isEmpty())
        QTRY_VERIFY2_WITH_TIMEOUT(remarkOn(program.sheet) == beforeFlying, qPrintable(remarkOn(program.sheet)),
                                  hangWatchdogMs);

    QVERIFY2(enterWorkedRuns(program.sheet), "the runs of the worked example were not taken");
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    QTRY_COMPARE_WITH_TIMEOUT(textOf(program.sheet, Score), QStringLiteral("165.9"), hangWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(journal::JournalReader(path.toStdString()).flightCount(), flownBefore + 1, hangWatchdogMs);

    program.program.openStandings();
    StandingsWindow &window = *program.program.standings();
    const auto classI = [&window] {
        chooserOf(window)->setCurrentIndex(chooserOf(window)->findText(QStringLiteral("Class I")));
        return rowsOf(window);
    };
    QTRY_VERIFY2_WITH_TIMEOUT(classI().startsWith(standing), qPrintable(rowsOf(window)), hangWatchdogMs);
    // The remark of the press was queued before the Standings were read.
    QVERIFY2(remarkOn(program.sheet) == afterScoring, qPrintable(remarkOn(program.sheet)));
    const QString state = stateLineOf(window)->text();
    QVERIFY2(state.contains(QLatin1String("1 flight recorded after Final, at ")) == final, qPrintable(state));
    QVERIFY2(state.startsWith(final ? QLatin1String("Final") : QLatin1String("Provisional, as of ")), qPrintable(state));
    if (!contestDays.isEmpty())
        newContestStartedFromTheSheet(program, contestDays[0], eve.date().toString(Qt::ISODate));
    if (!contestDays.isEmpty() && !QTest::currentTestFailed())
        flightMovedToItsContest(program, path);
    if (QTest::currentTestFailed())
        return;
    if (!final)
        return;

    // A combination drawing on the final class says so in its own state line,
    // whole, without widening the window or cutting the chooser's name short.
    const int widthBefore = window.width();
    chooserOf(window)->setCurrentIndex(chooserOf(window)->findText(QStringLiteral("Class I + Class II")));
    QCoreApplication::sendPostedEvents();
    const QString combined = stateLineOf(window)->text();
    QVERIFY2(combined.startsWith(QLatin1String("Provisional, as of "))
                 && combined.contains(QLatin1String(". Class I: 1 flight recorded after Final, at "))
                 && combined.endsWith(QLatin1String(": reopen the class to count it.")),
             qPrintable(combined));
    QVERIFY2(window.width() == widthBefore, qPrintable(QStringLiteral("the window went from %1 to %2 pixels wide")
                                                           .arg(widthBefore)
                                                           .arg(window.width())));
    QVERIFY2(chooserOf(window)->width() >= chooserOf(window)->sizeHint().width(),
             qPrintable(QStringLiteral("the chooser is %1 pixels wide for its name's %2")
                            .arg(chooserOf(window)->width())
                            .arg(chooserOf(window)->sizeHint().width())));

    // Reopened, the class counts the flight that waited; the trail keeps both.
    journal::ContestJournal(path.toStdString()).setFinal("Class I", false);
    window.journalChanged();
    QTRY_VERIFY2_WITH_TIMEOUT(classI().startsWith(QLatin1String("1 | Ann Example | 17 | 100.0 | 165.9 | 165.9")),
                              qPrintable(rowsOf(window)), hangWatchdogMs);
    QStringList trail;
    for (const journal::ClassChange &change : journal::JournalReader(path.toStdString()).classChanges())
        trail << QString::fromStdString(change.caption + " " + change.what);
    QCOMPARE(trail, (QStringList{"Class I final", "Class I reopened"}));
}

// Another contest made current while the Contest dialog is open (New
// contest… on the sheet, another program): the settings go to the contest
// they were read from, and the other keeps its name.
void StandingsWindowTest::contestSettingsKeptForTheContestShown()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    journal::ContestJournal(path.toStdString()).add({"Ann Example", "17", {"Class I"}});
    WiredProgram program(path);
    QVERIFY2(program.start(), "the score sheet did not start");
    program.program.openStandings();
    StandingsWindow &window = *program.program.standings();
    window.findChild<QPushButton *>(QStringLiteral("contestButton"))->click();
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<ContestSettingsDialog *>(), "Contest… opened no dialog", hangWatchdogMs);
    journal::ContestJournal(path.toStdString()).startContest({"Autumn Meet", "2026-10-01", "2026-10-02", false});
    window.findChild<ContestSettingsDialog *>()->accept();
    QStringList contests;
    QTRY_VERIFY2_WITH_TIMEOUT(!window.findChild<ContestSettingsDialog *>(), "the dialog stayed open", hangWatchdogMs);
    for (const journal::SeasonContest &each : journal::JournalReader(path.toStdString()).contests())
        contests << QString::fromStdString(each.name + (each.current ? " current" : ""));
    QCOMPARE(contests, (QStringList{"", "Autumn Meet current"}));
}

// The season's series in the Standings window's own view: two contests with
// the places swapped, set up in the series dialog so that the best contest
// alone counts; the series is kept in the journal and the view shows the
// contest dropped in brackets.
void StandingsWindowTest::seriesSetUpInItsView()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    const std::string file = path.toStdString();
    for (const auto &[contest, annScore] : {std::pair{"Spring Meet", "150.0"}, std::pair{"Summer Meet", "140.0"}}) {
        journal::ContestJournal director(file);
        director.startContest({contest, {}, {}, false});
        const std::int64_t ann = director.add({"Ann Example", "17", {"Class I"}});
        const std::int64_t bo = director.add({"Bo Still", "18", {"Class I"}});
        journal::FlightJournal recording(file);
        for (const auto &[entry, score] : {std::pair{ann, std::string(annScore)}, std::pair{bo, std::string("145.0")}}) {
            CalculationRecord flown;
            flown.classCaption = "Class I";
            flown.score = score;
            flown.summary = {"Class I", score + " Total Score"};
            recording.nowFlying(entry);
            recording.calculated(flown);
            recording.flightEnded();
        }
    }
    WiredProgram program(path);
    QVERIFY2(program.start(), "the score sheet did not start");
    program.program.openStandings();
    StandingsWindow &window = *program.program.standings();
    auto *views = window.findChild<QTabWidget *>(QStringLiteral("standingsViews"));
    QVERIFY2(views, "the Standings window has no Series view");
    views->setCurrentWidget(window.findChild<QWidget *>(QStringLiteral("seriesView")));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("seriesTable"));
    QTRY_VERIFY2_WITH_TIMEOUT(table->rowCount() == 2, "the series was not shown", hangWatchdogMs);
    window.findChild<QPushButton *>(QStringLiteral("seriesSetUp"))->click();
    SeriesDialog *dialog = nullptr;
    QTRY_VERIFY2_WITH_TIMEOUT((dialog = window.findChild<SeriesDialog *>()), "Set up series… opened no dialog",
                              hangWatchdogMs);
    dialog->findChild<QLineEdit *>(QStringLiteral("seriesName"))->setText(QStringLiteral("Club Championship"));
    dialog->findChild<QComboBox *>(QStringLiteral("seriesCounted"))->setCurrentIndex(1);
    dialog->findChild<QSpinBox *>(QStringLiteral("seriesN"))->setValue(1);
    dialog->accept();
    auto rowOf = [table](int row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
        return cells.join(u'|');
    };
    // Ann: 10 at Spring, 8 at Summer; Bo the other way round: a tie at 10, shared.
    QTRY_COMPARE_WITH_TIMEOUT(rowOf(0), QStringLiteral("1|Ann Example|17|10|(8)|10"), hangWatchdogMs);
    QCOMPARE(rowOf(1), QStringLiteral("1|Bo Still|18|(8)|10|10"));
    const std::vector<contest::SeriesSettings> kept = journal::JournalReader(file).series();
    QCOMPARE(kept.size(), std::size_t(1));
    QCOMPARE(kept.front().name, std::string("Club Championship"));
    QCOMPARE(kept.front().best, 1);
    QVERIFY2(window.findChild<QLabel *>(QStringLiteral("seriesRules"))->text().contains(
                 QStringLiteral("A contestant's best 1 contest count")),
             "the rule is said above the table");
}

QTEST_MAIN(StandingsWindowTest)
#include "standings_window_test.moc"
