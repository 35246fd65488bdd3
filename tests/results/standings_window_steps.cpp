#include "standings_window_steps.h"

#include "contest_journal.h"
#include "contest_settings_dialog.h"
#include "contestant_picker.h"
#include "flight_correction_dialog.h"
#include "flight_journal.h"
#include "journal_reader.h"
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

namespace standings_steps {

QComboBox *chooserOf(const QWidget &window)
{
    return namedControl<QComboBox>(window, QStringLiteral("standingsChooser"));
}

QTableWidget *tableOf(const QWidget &window)
{
    return namedControl<QTableWidget>(window, QStringLiteral("standingsTable"));
}

QLabel *stateLineOf(const QWidget &window)
{
    return namedControl<QLabel>(window, QStringLiteral("standingsState"));
}

// A row of the Standings window's table as its cells read, joined by " | ".
QString rowOf(const StandingsWindow &window, int row)
{
    const QTableWidget &table = *tableOf(window);
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem *item = table.item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells.join(QStringLiteral(" | "));
}

QString rowsOf(const StandingsWindow &window)
{
    QStringList rows;
    for (int row = 0; row < tableOf(window)->rowCount(); ++row)
        rows << rowOf(window, row);
    return rows.join(QLatin1Char('\n'));
}



// The remark shown over the sheet on the flight; empty when none is shown.
QString remarkOn(const ScoreSheetWindow &sheet)
{
    for (const auto *notice : sheet.findChildren<JournalProblemNotice *>(QStringLiteral("FlightRemark")))
        if (notice->isVisible())
            return notice->findChild<QLabel *>(QStringLiteral("Problem"))->text();
    return {};
}



// Every window names the contest; started from the sheet, the next contest
// has its own flights and entries, and the windows show it at once.
void newContestStartedFromTheSheet(WiredProgram &program, const QString &contest, const QString &day)
{
    StandingsWindow &standings = *program.program.standings();
    program.program.flights()->open();
    FlightsWindow &flights = *program.program.flights()->window();
    QVERIFY2(standings.windowTitle() == QStringLiteral("Standings: %1").arg(contest), qPrintable(standings.windowTitle()));
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.windowTitle() == QStringLiteral("Orlo Carrier Scoring Program: %1").arg(contest),
                              qPrintable(program.sheet.windowTitle()), hangWatchdogMs);
    QTRY_VERIFY2_WITH_TIMEOUT(flights.windowTitle() == QStringLiteral("Flight journal: %1").arg(contest),
                              qPrintable(flights.windowTitle()), hangWatchdogMs);

    program.sheet.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs), "the sheet could not be come back to");
    QTest::keyClick(&program.sheet, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.findChild<NewContestDialog *>(), "Ctrl+Shift+N opened no new contest",
                              hangWatchdogMs);
    QPointer<NewContestDialog> start = program.sheet.findChild<NewContestDialog *>();
    namedControl<QLineEdit>(*start, QStringLiteral("NewContestName"))->setText(QStringLiteral("Autumn Carrier Meet"));
    namedControl<QLineEdit>(*start, QStringLiteral("NewContestFirstDay"))->setText(day);
    namedControl<QLineEdit>(*start, QStringLiteral("NewContestLastDay"))->setText(day);
    start->accept();
    const QString refusal = start ? namedControl<QLabel>(*start, QStringLiteral("Refusal"))->text() : QString();
    QVERIFY2(!start || !start->isVisible(), qPrintable(refusal));

    QTRY_VERIFY2_WITH_TIMEOUT(standings.windowTitle() == QLatin1String("Standings: Autumn Carrier Meet"),
                              qPrintable(standings.windowTitle()), hangWatchdogMs);
    QVERIFY2(!rowsOf(standings).contains(QLatin1String("Ann Example")), qPrintable(rowsOf(standings)));
    QTRY_VERIFY2_WITH_TIMEOUT(flights.windowTitle() == QLatin1String("Flight journal: Autumn Carrier Meet"),
                              qPrintable(flights.windowTitle()), hangWatchdogMs);
    QVERIFY2(namedControl<QTableView>(flights, QStringLiteral("Flights"))->model()->rowCount() == 0,
             "the flights window lists the contest before's flights");
    QVERIFY2(program.sheet.windowTitle() == QLatin1String("Orlo Carrier Scoring Program: Autumn Carrier Meet"),
             qPrintable(program.sheet.windowTitle()));

    // Made current again from the list of contests, the one before shows its flights as they were.
    auto *list = program.sheet.findChild<ContestListDialog *>();
    QVERIFY2(list, "the new contest was started over no list of contests");
    auto *contests = namedControl<QTableWidget>(*list, QStringLiteral("Contests"));
    QStringList listed;
    for (int row = 0; row < contests->rowCount(); ++row)
        listed << contests->item(row, 0)->text() + QLatin1Char(' ') + contests->item(row, 5)->text();
    QVERIFY2(listed == (QStringList{contest + QLatin1Char(' '), QStringLiteral("Autumn Carrier Meet Current")}),
             qPrintable(listed.join(QLatin1String(", "))));
    contests->setCurrentCell(0, 0);
    namedControl<QPushButton>(*list, QStringLiteral("MakeCurrent"))->click();
    QTRY_VERIFY2_WITH_TIMEOUT(standings.windowTitle() == QStringLiteral("Standings: %1").arg(contest),
                              qPrintable(standings.windowTitle()), hangWatchdogMs);
    QVERIFY2(rowsOf(standings).contains(QLatin1String("Ann Example | 17 | 165.9")), qPrintable(rowsOf(standings)));
    QVERIFY2(program.sheet.windowTitle() == QStringLiteral("Orlo Carrier Scoring Program: %1").arg(contest),
             qPrintable(program.sheet.windowTitle()));
    list->close();
}

namespace {

// The remark, queued by the press, as it stands once the press is done with.
QString remarkOnceSettled(const ScoreSheetWindow &sheet)
{
    QCoreApplication::processEvents();
    return remarkOn(sheet);
}

// Scores the worked example once more as a flight of its own, nobody named.
bool scoredAgain(WiredProgram &program, const QString &path, int flights)
{
    program.sheet.activateWindow();
    if (!QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs))
        return false;
    // Reset, which sends the focus to the first class.
    if (!mouseOn(program.sheet, Command3)
        || !QTest::qWaitFor([&] { return program.sheet.rules().focus() == Class(0); }, hangWatchdogMs)
        || !enterWorkedRuns(program.sheet) || !clickOn(program.sheet, Command2))
        return false;
    return QTest::qWaitFor([&] { return journal::JournalReader(path.toStdString()).flightCount() == flights; },
                           hangWatchdogMs);
}

} // namespace

// Told once: a second flight outside the days says nothing. Moved by the
// keyboard in the flights window to the contest of its day, the flight
// shows there and no more where it was; a flight within that contest's days
// says nothing.
void flightMovedToItsContest(WiredProgram &program, const QString &path)
{
    QVERIFY2(scoredAgain(program, path, 2), "the second flight was not scored");
    QVERIFY2(remarkOnceSettled(program.sheet).isEmpty(), qPrintable(remarkOn(program.sheet)));

    FlightsWindow &flights = *program.program.flights()->window();
    auto *view = namedControl<QTableView>(flights, QStringLiteral("Flights"));
    QTRY_VERIFY2_WITH_TIMEOUT(view->model()->rowCount() == 2, "the flights window lists not both flights", hangWatchdogMs);
    view->setCurrentIndex(view->model()->index(1, 0)); // Ann's, the older
    flights.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&flights, hangWatchdogMs), "the flights window could not be come to");
    QTest::keyClick(&flights, Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(flights.findChild<FlightCorrectionDialog *>(), "Alt+R opened no correction", hangWatchdogMs);
    QPointer<FlightCorrectionDialog> correction = flights.findChild<FlightCorrectionDialog *>();
    QVERIFY2(QTest::qWaitForWindowActive(correction, hangWatchdogMs), "the correction did not take the keyboard");
    auto *inContest = namedControl<QComboBox>(*correction, QStringLiteral("CorrectedContest"));
    QCOMPARE(inContest->currentText(), QStringLiteral("Spring Carrier Meet"));
    QTest::keyClick(correction, Qt::Key_T, Qt::AltModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(inContest->hasFocus(), "Alt+T did not reach the contest", hangWatchdogMs);
    QTest::keyClick(inContest, Qt::Key_Down);
    QCOMPARE(inContest->currentText(), QStringLiteral("Autumn Carrier Meet"));
    QTest::keyClick(correction, Qt::Key_R, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("flown on the autumn meet's day"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const QString refusal = correction ? namedControl<QLabel>(*correction, QStringLiteral("Refusal"))->text() : QString();
    QTRY_VERIFY2_WITH_TIMEOUT(!correction || !correction->isVisible(), qPrintable(refusal), hangWatchdogMs);
    QTRY_VERIFY2_WITH_TIMEOUT(view->model()->rowCount() == 1, "the moved flight is still listed where it was",
                              hangWatchdogMs);
    StandingsWindow &standings = *program.program.standings();
    QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(standings).contains(QLatin1String("Ann Example | 17 |  | still to fly")),
                              qPrintable(rowsOf(standings)), hangWatchdogMs);

    // Made current, the contest of its day shows it, Ann entered there by the move.
    program.program.openContests();
    auto *list = program.sheet.findChild<ContestListDialog *>();
    QVERIFY2(list, "no list of contests");
    namedControl<QTableWidget>(*list, QStringLiteral("Contests"))->setCurrentCell(1, 0);
    namedControl<QPushButton>(*list, QStringLiteral("MakeCurrent"))->click();
    list->close();
    QTRY_VERIFY2_WITH_TIMEOUT(rowsOf(standings).startsWith(QLatin1String("1 | Ann Example | 17 | 165.9")),
                              qPrintable(standings.windowTitle() + '\n' + rowsOf(standings)), hangWatchdogMs);
    const auto firstListed = [view] {
        return view->model()->index(0, FlightTableModel::Contestant).data().toString();
    };
    QTRY_VERIFY2_WITH_TIMEOUT(view->model()->rowCount() == 1 && firstListed() == QLatin1String("Ann Example"),
                              qPrintable(firstListed()), hangWatchdogMs);
    QVERIFY2(scoredAgain(program, path, 2), "the flight in the contest of its day was not scored");
    QVERIFY2(remarkOnceSettled(program.sheet).isEmpty(), qPrintable(remarkOn(program.sheet)));
}

} // namespace standings_steps
