#include "contest_journal.h"
#include "contest_settings_dialog.h"
#include "flight_correction_dialog.h"
#include "flight_table_model.h"
#include "flights_window.h"
#include "flights_window_opener.h"
#include "hang_watchdog.h"
#include "named_control.h"
#include "sheet_driver.h"
#include "standings_window.h"
#include "wired_program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// A row of the Standings window's table as its cells read, joined by " | ".
QString rowOf(const StandingsWindow &window, int row)
{
    const QTableWidget &table = *window.table();
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
    for (int row = 0; row < window.table()->rowCount(); ++row)
        rows << rowOf(window, row);
    return rows.join(QLatin1Char('\n'));
}

} // namespace

// The Standings window beside the real score sheet, as the program wires them.
class StandingsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(prepareSheetTests(), "the sheet's fonts are missing"); }
    void recordedFlightShowsInTheStandings();
    void failedReadToldOnTheSheetUntilReadAgain();
};

void StandingsWindowTest::recordedFlightShowsInTheStandings()
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
    QTRY_VERIFY2_WITH_TIMEOUT(window.stateLine()->text() == QLatin1String("Final"),
                              qPrintable(window.stateLine()->text()), hangWatchdogMs);
    const contest::ClassRule closed = journal::JournalReader(path.toStdString()).contest().classes.at(0);
    QVERIFY2(closed.final && !closed.finalAt.empty(), "not kept in the journal with the time it was closed");

    // Saved as the name's extension says; a name of no format writes nothing.
    QVERIFY2(window.saveTo(folder.filePath(QStringLiteral("results.xlsx"))), qPrintable(window.stateLine()->text()));
    QVERIFY2(!window.saveTo(folder.filePath(QStringLiteral("results.txt"))), "a .txt file was written");
    QVERIFY2(window.stateLine()->text().contains(QLatin1String("Nothing was written")),
             qPrintable(window.stateLine()->text()));

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

QTEST_MAIN(StandingsWindowTest)
#include "standings_window_test.moc"
