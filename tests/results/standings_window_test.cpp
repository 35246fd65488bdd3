#include "standings_window_steps.h"

#include "contest_journal.h"
#include "contest_settings_dialog.h"
#include "contestant_picker.h"
#include "flight_correction_dialog.h"
#include "flight_journal.h"
#include "flight_table_model.h"
#include "flights_window.h"
#include "flights_window_opener.h"
#include "hang_watchdog.h"
#include "journal_problem_notice.h"
#include "named_control.h"
#include "season_dialogs.h"
#include "sheet_driver.h"
#include "standings_window.h"
#include "wired_program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
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
    void flightToldOnTheSheet_data();
    void flightToldOnTheSheet();
    void contestSettingsKeptForTheContestShown();
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
                              qPrintable(rowsOf(window) + window.stateLine()->text()), hangWatchdogMs);

    // The flight is scored before anyone names its contestant: it counts nowhere yet.
    program.sheet.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs), "the sheet could not be come back to");
    QVERIFY2(enterWorkedRuns(program.sheet), "the runs of the worked example were not taken");
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    QTRY_COMPARE_WITH_TIMEOUT(textOf(program.sheet, Score), QStringLiteral("165.9"), hangWatchdogMs);
    QTRY_VERIFY2_WITH_TIMEOUT(window.results().flightsWithoutContestant == 1,
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
    QVERIFY2(window.stateLine()->text().startsWith(QLatin1String("Provisional, as of ")),
             qPrintable(window.stateLine()->text()));
    // Ann flew the first round; Bo has not.
    QVERIFY2(window.stateLine()->text().endsWith(QLatin1String(". Round 1 of 2: 1 still to fly")),
             qPrintable(window.stateLine()->text()));
    QCOMPARE(window.chooser()->currentText(), QStringLiteral("Class I"));

    // Closed by the director under Contest…: the class says so at once.
    auto *contestButton = window.findChild<QPushButton *>(QStringLiteral("contestButton"));
    QVERIFY2(contestButton && contestButton->isEnabled(), "no Contest… button");
    contestButton->click();
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<ContestSettingsDialog *>(), "Contest… opened no dialog", hangWatchdogMs);
    auto *dialog = window.findChild<ContestSettingsDialog *>();
    QVERIFY2(dialog->windowModality() == Qt::WindowModal, "the contest's dialog must not block the sheet");
    QTableWidget &classes = *dialog->classTable();
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
    QVERIFY2(window.stateLine()->text() != QLatin1String("Final"), "closed before the director answered");
    for (QAbstractButton *answer : ask->buttons())
        if (answer->text() == QLatin1String("&Close anyway"))
            answer->click();
    QTRY_VERIFY2_WITH_TIMEOUT(window.stateLine()->text() == QLatin1String("Final"),
                              qPrintable(window.stateLine()->text()), hangWatchdogMs);
    const contest::ClassRule closed = journal::JournalReader(path.toStdString()).contest().classes.at(0);
    QVERIFY2(closed.final && !closed.finalAt.empty(), "not kept in the journal with the time it was closed");

    // Saved as the name's extension says; a name of no format writes nothing.
    QVERIFY2(window.saveTo(folder.filePath(QStringLiteral("results.xlsx"))), qPrintable(window.stateLine()->text()));
    // The refusal in a box of its own; the state line still says the class is final.
    QVERIFY2(!window.saveTo(folder.filePath(QStringLiteral("results.txt"))), "a .txt file was written");
    auto *refused = window.findChild<QMessageBox *>(QStringLiteral("saveFailed"));
    QVERIFY2(refused && refused->isVisible() && refused->text().contains(QLatin1String("Nothing was written")),
             "the failed save was not told in a message box");
    QVERIFY2(window.stateLine()->text() == QLatin1String("Final"), qPrintable(window.stateLine()->text()));
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
    QTRY_VERIFY2_WITH_TIMEOUT(previewDialog(), qPrintable(window.stateLine()->text()), hangWatchdogMs);
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
    QVERIFY2(!window.isReading(), "a closed Standings window read the journal");
}

namespace {

QString savedText(StandingsWindow &window, const QString &path)
{
    if (!window.saveTo(path))
        return window.stateLine()->text();
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
                              qPrintable(rowsOf(window) + window.stateLine()->text()), hangWatchdogMs);

    // A folder where the journal was: no reader can open it.
    const QString aside = folder.filePath(QStringLiteral("journal.sqlite.aside"));
    QVERIFY2(QDir().rename(path, aside) && QDir().mkdir(path), "the journal could not be put aside");
    window.journalChanged();
    QTRY_VERIFY2_WITH_TIMEOUT(window.stateLine()->text().contains(QLatin1String("The standings shown were read before")),
                              qPrintable(window.stateLine()->text()), hangWatchdogMs);
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
    QTRY_VERIFY2_WITH_TIMEOUT(window.stateLine()->text().startsWith(QLatin1String("Provisional, as of ")),
                              qPrintable(window.stateLine()->text()), hangWatchdogMs);
    const QString saved = savedText(window, folder.filePath(QStringLiteral("read.csv")));
    QVERIFY2(saved.contains(QLatin1String("Ann Example")) && !saved.contains(QLatin1String("could not be read")),
             qPrintable(saved));
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
        window.chooser()->setCurrentIndex(window.chooser()->findText(QStringLiteral("Class I")));
        return rowsOf(window);
    };
    QTRY_VERIFY2_WITH_TIMEOUT(classI().startsWith(standing), qPrintable(rowsOf(window)), hangWatchdogMs);
    // The remark of the press was queued before the Standings were read.
    QVERIFY2(remarkOn(program.sheet) == afterScoring, qPrintable(remarkOn(program.sheet)));
    const QString state = window.stateLine()->text();
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
    window.chooser()->setCurrentIndex(window.chooser()->findText(QStringLiteral("Class I + Class II")));
    QCoreApplication::sendPostedEvents();
    const QString combined = window.stateLine()->text();
    QVERIFY2(combined.startsWith(QLatin1String("Provisional, as of "))
                 && combined.contains(QLatin1String(". Class I: 1 flight recorded after Final, at "))
                 && combined.endsWith(QLatin1String(": reopen the class to count it.")),
             qPrintable(combined));
    QVERIFY2(window.width() == widthBefore, qPrintable(QStringLiteral("the window went from %1 to %2 pixels wide")
                                                           .arg(widthBefore)
                                                           .arg(window.width())));
    QVERIFY2(window.chooser()->width() >= window.chooser()->sizeHint().width(),
             qPrintable(QStringLiteral("the chooser is %1 pixels wide for its name's %2")
                            .arg(window.chooser()->width())
                            .arg(window.chooser()->sizeHint().width())));

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

QTEST_MAIN(StandingsWindowTest)
#include "standings_window_test.moc"
