// The handlers of the four buttons on the headless sheet: "Landing Points", "Calc. Score", Reset and Exit.

#include "expected_messages.h"
#include "headless_sheet.h"
#include "headless_sheet_reading.h"
#include "typical_runs.h"

#include "flight_observer.h"

#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// What the sheet reported of its flights, as the journal would be told.
struct ReportedFlights final : FlightObserver {
    std::vector<CalculationRecord> calculations;
    int flightsEnded = 0;
    void calculated(const CalculationRecord &calculation) override { calculations.push_back(calculation); }
    void flightEnded() override { ++flightsEnded; }
};

} // namespace

class SheetHandlersButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void landingButtonOpensDialog();
    void pressWithFailedCheckDoesNotCount();
    void pressAfterMultiEngineCount_data();
    void pressAfterMultiEngineCount();
    void resetAndExitAfterRefusedField_data();
    void resetAndExitAfterRefusedField();
    void calculationWithoutEngineCount_data();
    void calculationWithoutEngineCount();
    void untouchedSheetRecordsNothing_data();
    void untouchedSheetRecordsNothing();
    void resetClearsTheSheet();
    void exitEndsTheProgram();
};

void SheetHandlersButtonsTest::landingButtonOpensDialog()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.click(Command1);
    QVERIFY(sheet.isDialogOpen());
    QCOMPARE(sheet.dialogOpenings(), 1);
    QVERIFY(sheet.messages().empty());
}

void SheetHandlersButtonsTest::pressWithFailedCheckDoesNotCount()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(LandingPts, "97");
    sheet.click(LandingPts);
    sheet.click(Command2);
    QCOMPARE(messagesOf(sheet), QStringList{badLandingPoints});
    QVERIFY2(!sheet.isVisible(Summary), "no calculation while the landing points are wrong");
}

// Leaving a count of two engines sends the focus on to the running engines;
// the press that left it used to vanish without a word.
void SheetHandlersButtonsTest::pressAfterMultiEngineCount_data()
{
    QTest::addColumn<int>("button"); // Command1 to Command4
    QTest::newRow("calc-score") << 2;
    QTest::newRow("landing-points") << 1;
    QTest::newRow("reset") << 3;
    QTest::newRow("exit") << 4;
}

void SheetHandlersButtonsTest::pressAfterMultiEngineCount()
{
    QFETCH(int, button);
    const Ctl buttons[] = {Command1, Command2, Command3, Command4};
    HeadlessSheet sheet;
    flyTypicalRuns(sheet);
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, Score), QStringLiteral("165.9"));
    sheet.type(Engines(0), "2");
    sheet.click(buttons[button - 1]);
    QVERIFY(sheet.messages().empty());
    switch (button) {
    case 1:
        QVERIFY2(sheet.isDialogOpen(), "the landing dialog opens on the first press");
        break;
    case 2:
        QCOMPARE(textOf(sheet, Score), QStringLiteral("185.9"));
        QVERIFY(summaryOf(sheet).contains(" 20.0 Multiple Engine Bonus"));
        break;
    case 3:
        QCOMPARE(textOf(sheet, Engines(0)), QStringLiteral("1"));
        QVERIFY(sheet.focused() == Class(0));
        return;
    case 4:
        QVERIFY2(sheet.hasEnded(), "the program ends on the first press");
        return;
    }
    QVERIFY2(sheet.focused() == Engines(1), "the focus ends where the engine count sent it");
    QCOMPARE(textOf(sheet, Engines(1)), QStringLiteral("2"));
    QCOMPARE(sheet.selection(Engines(1)), std::make_pair(0, 1));
}

// Reset and Exit throw the sheet away, so a field just refused does not
// keep the official in: its message shows, then the button does its job.
void SheetHandlersButtonsTest::resetAndExitAfterRefusedField_data()
{
    QTest::addColumn<int>("field"); // 0 engines, 1 high-speed watches, 2 landing points
    QTest::addColumn<bool>("exit");
    QTest::addColumn<QString>("message");
    QTest::newRow("no-engines-reset") << 0 << false << badEngineCount;
    QTest::newRow("no-engines-exit") << 0 << true << badEngineCount;
    QTest::newRow("empty-watches-reset") << 1 << false << noHighSpeedTime;
    QTest::newRow("empty-watches-exit") << 1 << true << noHighSpeedTime;
    QTest::newRow("landing-97-reset") << 2 << false << badLandingPoints;
    QTest::newRow("landing-97-exit") << 2 << true << badLandingPoints;
}

void SheetHandlersButtonsTest::resetAndExitAfterRefusedField()
{
    QFETCH(int, field);
    QFETCH(bool, exit);
    QFETCH(QString, message);
    HeadlessSheet sheet;
    sheet.start();
    switch (field) {
    case 0: sheet.type(Engines(0), "0"); break;
    case 1:
        sheet.type(HS_Watch(0), "");
        sheet.type(HS_Watch(1), "");
        break;
    case 2:
        sheet.setText(LandingPts, "97");
        sheet.click(LandingPts);
        break;
    }
    sheet.takeMessages();
    sheet.click(exit ? Command4 : Command3);
    QCOMPARE(messagesOf(sheet), QStringList{message});
    if (exit) {
        QVERIFY2(sheet.hasEnded(), "Exit ends the program after the message");
        return;
    }
    for (Ctl reset : {HS_Watch(0), HS_Watch(1), LandingPts, Score})
        QCOMPARE(textOf(sheet, reset), QStringLiteral("0"));
    QCOMPARE(textOf(sheet, Engines(0)), QStringLiteral("1"));
    QCOMPARE(textOf(sheet, Engines(1)), QStringLiteral("1"));
    QVERIFY2(sheet.focused() == Class(0), "Reset ends on Class I");
    QVERIFY(sheet.messages().empty());
}

// A calculation that stopped on the engine count used to leave a total
// from another flight beside a half-written summary, without a word.
void SheetHandlersButtonsTest::calculationWithoutEngineCount_data()
{
    QTest::addColumn<QString>("engines");
    QTest::newRow("empty") << "";
    QTest::newRow("trailing-letters") << "2x";
    QTest::newRow("comma") << "1,0";
}

void SheetHandlersButtonsTest::calculationWithoutEngineCount()
{
    QFETCH(QString, engines);
    HeadlessSheet sheet;
    ReportedFlights reported;
    sheet.rules().setObserver(&reported);
    flyTypicalRuns(sheet);
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, Score), QStringLiteral("165.9"));
    sheet.setText(Engines(0), engines.toStdString());
    sheet.click(Command2);
    QCOMPARE(messagesOf(sheet), QStringList{badEngineCount});
    QVERIFY(sheet.focused() == Engines(0));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0"));
    QCOMPARE(sheet.items(Summary).size(), std::size_t(3));
    QVERIFY2(reported.calculations.size() == 1, "a calculation stopped on the engine count is not reported");
}

// A press of "Calc. Score" on a sheet with no watch reading and no landing
// points once put a flight of 0.0 in the journal.
void SheetHandlersButtonsTest::untouchedSheetRecordsNothing_data()
{
    QTest::addColumn<QString>("filled"); // the field given a value before the press
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("reported");
    QTest::newRow("as started") << "" << "" << 0;
    QTest::newRow("watch read 0") << "hs" << "0" << 0;
    QTest::newRow("one watch reading") << "ls" << "25,2" << 1;
    QTest::newRow("landing points alone") << "landing" << "90" << 1;
}

void SheetHandlersButtonsTest::untouchedSheetRecordsNothing()
{
    QFETCH(QString, filled);
    QFETCH(QString, value);
    QFETCH(int, reported);
    HeadlessSheet sheet;
    ReportedFlights flights;
    sheet.rules().setObserver(&flights);
    sheet.start();
    const Ctl field = filled == "hs" ? HS_Watch(0) : filled == "ls" ? LS_Watch(1) : LandingPts;
    if (!filled.isEmpty())
        sheet.setText(field, value.toStdString());
    sheet.click(Command2);
    QVERIFY2(int(flights.calculations.size()) == reported, qPrintable(messagesOf(sheet).join('|')));
}

void SheetHandlersButtonsTest::resetClearsTheSheet()
{
    HeadlessSheet sheet;
    flyTypicalRuns(sheet);
    sheet.type(Engines(0), "2");
    sheet.tab();
    sheet.click(ScalePts(1));
    sheet.setText(LandingPts, "90");
    ReportedFlights reported;
    sheet.rules().setObserver(&reported);
    sheet.click(Command2);

    // Every text as the sheet showed it after the press.
    QCOMPARE(reported.calculations.size(), std::size_t(1));
    const CalculationRecord &shown = reported.calculations.front();
    QCOMPARE(shown.classCaption, sheet.caption(Class(1)));
    QCOMPARE(shown.scalePoints, sheet.caption(ScalePts(1)));
    const std::pair<const std::string &, Ctl> fields[] = {
        {shown.highSpeedWatch1, HS_Watch(0)},    {shown.highSpeedWatch2, HS_Watch(1)},
        {shown.lowSpeedWatch1, LS_Watch(0)},     {shown.lowSpeedWatch2, LS_Watch(1)},
        {shown.highSpeedTime, HS_Time},           {shown.highSpeedMph, HS_MPH},
        {shown.highSpeedPoints, HS_Points},       {shown.lowSpeedTime, LS_Time},
        {shown.lowSpeedMph, LS_MPH},              {shown.lowSpeedPoints, LS_Points},
        {shown.enginesEntered, Engines(0)},      {shown.enginesRunning, Engines(1)},
        {shown.landingPoints, LandingPts},        {shown.score, Score}};
    for (const auto &[recorded, field] : fields)
        QCOMPARE(recorded, sheet.text(field));
    QCOMPARE(shown.highSpeedWatch2, std::string("12.4"));
    QCOMPARE(shown.landingPoints, std::string("90"));
    QCOMPARE(shown.engineBonus, std::string("20.0"));
    QCOMPARE(shown.summary, sheet.items(Summary));
    QCOMPARE(QString::fromStdString(shown.summary.back()), QStringLiteral("375.9 Total Score"));

    sheet.click(Class(5));
    sheet.click(Command3);
    QCOMPARE(reported.flightsEnded, 1);

    QVERIFY(sheet.isSelected(Class(0)));
    QCOMPARE(sheet.rules().classIndex(), ClassIndex(0));
    QVERIFY(sheet.isSelected(ScalePts(0)) && sheet.isVisible(ScalePts(1)));
    for (Ctl field : {HS_Watch(0), HS_Watch(1), LS_Watch(0), LS_Watch(1), HS_Time, HS_MPH, HS_Points, LS_Time,
                      LS_MPH, LS_Points, LandingPts, Score})
        QCOMPARE(textOf(sheet, field), QStringLiteral("0"));
    QCOMPARE(textOf(sheet, Engines(0)), QStringLiteral("1"));
    QCOMPARE(textOf(sheet, Engines(1)), QStringLiteral("1"));
    QVERIFY2(sheet.isVisible(Engines(1)), "Reset leaves the running-engines field as it was");
    QVERIFY(!sheet.isVisible(Summary) && sheet.items(Summary).empty());
    QVERIFY(sheet.focused() == Class(0));
    QVERIFY(sheet.messages().empty());
}

void SheetHandlersButtonsTest::exitEndsTheProgram()
{
    HeadlessSheet sheet;
    ReportedFlights reported;
    sheet.rules().setObserver(&reported);
    sheet.start();
    sheet.click(Command4);
    QVERIFY(sheet.hasEnded());
    QCOMPARE(reported.flightsEnded, 1);
}

QTEST_APPLESS_MAIN(SheetHandlersButtonsTest)
#include "sheet_handlers_buttons_test.moc"
