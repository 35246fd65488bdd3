#include "headless_sheet.h"
#include "headless_sheet_reading.h"

#include "conversions.h"
#include "event_classes.h"
#include "flight_observer.h"

#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

const QString badEngines = QStringLiteral("The Number of engines must be a number > 0. Please try again.");
const QString badLanding = QStringLiteral("Landing points range from 0 to 100 in 5 point increments");
const QString negativeHigh = QStringLiteral("Negative time, how'd you do that? Positive numbers please.");

// The typical flight up to the landing: Class II, both runs timed.
void flyTypicalRuns(HeadlessSheet &sheet)
{
    sheet.start();
    sheet.click(Class(1));
    sheet.type(HS_Watch(0), "12.3");
    sheet.type(HS_Watch(1), "12.4");
    sheet.type(LS_Watch(0), "25");
    sheet.tab();
    sheet.tab();
}

// What the sheet reported of its flights, as the journal would be told.
struct ReportedFlights final : FlightObserver {
    std::vector<CalculationRecord> calculations;
    int flightsEnded = 0;
    void calculated(const CalculationRecord &calculation) override { calculations.push_back(calculation); }
    void flightEnded() override { ++flightsEnded; }
};

} // namespace

class SheetHandlersTest : public QObject {
    Q_OBJECT

private slots:
    void startUp();
    void classChoice_data();
    void classChoice();
    void classChangeRescoresBothRuns();
    void classChangeRescoresALoneHighSpeedRun();
    void engineCount_data();
    void engineCount();
    void runningEnginesAreNotChecked();
    void hiddenFieldDoesNotKeepTheFocus();
    void landingCheck_data();
    void landingCheck();
    void landingButtonOpensDialog();
    void twoFailingChecksGiveOneMessageEach_data();
    void twoFailingChecksGiveOneMessageEach();
    void pressWithFailedCheckDoesNotCount();
    void calculationWithoutEngineCount_data();
    void calculationWithoutEngineCount();
    void resetClearsTheSheet();
    void exitEndsTheProgram();
};

void SheetHandlersTest::startUp()
{
    HeadlessSheet sheet;
    sheet.start();
    QVERIFY2(sheet.isSelected(Class(0)), "the focus selects Class I");
    QVERIFY(sheet.isSelected(ScalePts(0)));
    QCOMPARE(sheet.rules().classIndex(), ClassIndex(0));
    QVERIFY(sheet.focused() == Class(0));
    for (Ctl field : {HS_Watch(0), HS_Watch(1), HS_Time, HS_MPH, HS_Points, LS_Watch(0), LS_Watch(1), LS_Time,
                      LS_MPH, LS_Points})
        QCOMPARE(textOf(sheet, field), QStringLiteral("0.0"));
    QCOMPARE(textOf(sheet, Engines(0)), QStringLiteral("1"));
    QCOMPARE(textOf(sheet, LandingPts), QStringLiteral("0"));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0"));
    QCOMPARE(QString::fromStdString(sheet.caption(ScalePts(1))), QStringLiteral("100"));
    QVERIFY(!sheet.isVisible(lblRunning) && !sheet.isVisible(Engines(1)) && !sheet.isVisible(Summary));
    QVERIFY(sheet.messages().empty());
}

void SheetHandlersTest::classChoice_data()
{
    QTest::addColumn<int>("classIndex");
    QTest::addColumn<bool>("scaleShown");
    QTest::addColumn<QString>("upperCaption");
    QTest::newRow("class-ii-hundred") << 1 << true << "100";
    QTest::newRow("profile-ten") << 2 << true << "10";
    QTest::newRow("sportsman-ten") << 3 << true << "10";
    QTest::newRow("fifteen-carrier-hides") << 4 << false << "100";
    QTest::newRow("skyray-hides") << 5 << false << "100";
}

void SheetHandlersTest::classChoice()
{
    QFETCH(int, classIndex);
    QFETCH(bool, scaleShown);
    QFETCH(QString, upperCaption);
    HeadlessSheet sheet;
    sheet.start();
    sheet.select(ScalePts(1));
    sheet.setText(Score, "280.8");
    sheet.click(Class(classIndex));
    QCOMPARE(sheet.rules().classIndex(), ClassIndex(classIndex));
    QCOMPARE(sheet.isVisible(ScalePts(0)), scaleShown);
    QCOMPARE(sheet.isVisible(ScalePts(1)), scaleShown);
    QCOMPARE(QString::fromStdString(sheet.caption(ScalePts(1))), upperCaption);
    QVERIFY2(sheet.isSelected(ScalePts(1)) == scaleShown, "shown options keep the selection; hidden ones fall to 0");
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0"));

    sheet.click(Class(2)); // back to a class with scale points
    QVERIFY(sheet.isVisible(ScalePts(1)));
    QCOMPARE(QString::fromStdString(sheet.caption(ScalePts(1))), QStringLiteral("10"));
}

void SheetHandlersTest::classChangeRescoresBothRuns()
{
    HeadlessSheet sheet;
    flyTypicalRuns(sheet);
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("20.2"));
    sheet.setText(Score, "300.0");
    sheet.click(Class(4));
    QCOMPARE(textOf(sheet, HS_MPH), QString::fromStdString(Number_Text(speedMph(4, 12.35))));
    QCOMPARE(textOf(sheet, HS_Points), QStringLiteral("126.3"));
    QCOMPARE(textOf(sheet, LS_MPH), QStringLiteral("62.3748941485091"));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("20.2"));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0"));

    sheet.click(Class(0));
    QCOMPARE(textOf(sheet, HS_MPH), QStringLiteral("145.690347590725"));
    QCOMPARE(textOf(sheet, LS_MPH), QStringLiteral("71.9710317098182"));
}

// A speed computed for the 120 ft circle used to stay on the sheet when the
// class with the 104 ft circle was chosen before the low-speed run.
void SheetHandlersTest::classChangeRescoresALoneHighSpeedRun()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(HS_Watch(0), "12.5");
    sheet.tab();
    QCOMPARE(textOf(sheet, HS_Points), QStringLiteral("143.9"));
    sheet.click(Class(4));
    QCOMPARE(textOf(sheet, HS_MPH), QStringLiteral("124.749788297018"));
    QCOMPARE(textOf(sheet, HS_Points), QStringLiteral("124.7"));
    QCOMPARE(textOf(sheet, LS_MPH), QStringLiteral("0.0"));
}

void SheetHandlersTest::engineCount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("runningShown");
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("message");

    QTest::newRow("two-engines-ask-how-many-ran") << "2" << true << "2" << "";
    QTest::newRow("fraction-above-one-copied") << "2.5" << true << "2.5" << "";
    QTest::newRow("one-engine") << "1" << false << "0" << "";
    QTest::newRow("zero-engines") << "0" << false << "0" << badEngines;
    QTest::newRow("empty-count") << "" << false << "0" << badEngines;
    QTest::newRow("half-an-engine") << "0.5" << false << "0" << badEngines;
    QTest::newRow("letters") << "two" << false << "0" << badEngines;
}

void SheetHandlersTest::engineCount()
{
    QFETCH(QString, typed);
    QFETCH(bool, runningShown);
    QFETCH(QString, running);
    QFETCH(QString, message);
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(Engines(0), typed.toStdString());
    sheet.tab();
    QCOMPARE(sheet.isVisible(Engines(1)), runningShown);
    QCOMPARE(sheet.isVisible(lblRunning), runningShown);
    QCOMPARE(textOf(sheet, Engines(1)), running);
    QCOMPARE(textOf(sheet, Engines(0)), typed);
    QCOMPARE(messagesOf(sheet), message.isEmpty() ? QStringList() : QStringList{message});
    if (runningShown) {
        QVERIFY2(sheet.focused() == Engines(1), "the operator is asked for the running engines");
        QCOMPARE(sheet.selection(Engines(1)), std::make_pair(0, int(typed.size())));
    } else if (!message.isEmpty()) {
        QVERIFY2(sheet.focused() == Engines(0), "the focus goes back to the engine count");
    } else {
        QVERIFY(sheet.focused() == ScalePts(0));
    }
}

void SheetHandlersTest::runningEnginesAreNotChecked()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(Engines(0), "2");
    sheet.tab();
    sheet.typeHere("0");
    sheet.tab();
    QVERIFY(sheet.messages().empty());
    QCOMPARE(textOf(sheet, Engines(1)), QStringLiteral("0"));
}

void SheetHandlersTest::hiddenFieldDoesNotKeepTheFocus()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(Engines(0), "2");
    sheet.tab();
    sheet.type(Engines(0), "1");
    sheet.tab(); // towards Engines(1), which the count of 1 hides
    QVERIFY(!sheet.isVisible(Engines(1)));
    QVERIFY2(sheet.focused() == ScalePts(0), "the focus passes on to the next visible stop");
    QVERIFY(sheet.rules().focus() == ScalePts(0));
}

void SheetHandlersTest::landingCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    for (int points = 0; points <= 100; points += 5)
        QTest::addRow("accepts-%d", points) << QString::number(points) << true;
    QTest::newRow("not-a-multiple-of-five") << "97" << false;
    QTest::newRow("above-hundred") << "105" << false;
    QTest::newRow("negative") << "-5" << false;
    QTest::newRow("leading-zero") << "05" << false;
    QTest::newRow("leading-blank") << " 5" << false;
    QTest::newRow("decimal-form") << "5.0" << false;
    QTest::newRow("empty") << "" << false;
}

void SheetHandlersTest::landingCheck()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(LandingPts, typed.toStdString());
    sheet.click(LandingPts);
    QCOMPARE(sheet.dialogOpenings(), 1);
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, LandingPts), typed);
    if (accepted) {
        QVERIFY(sheet.messages().empty());
        QVERIFY(sheet.focused() == Command2);
    } else {
        QCOMPARE(messagesOf(sheet), QStringList{badLanding});
        QVERIFY2(sheet.focused() == LandingPts, "the focus goes back to the landing points");
        QVERIFY2(sheet.dialogOpenings() == 2, "coming back to the field asks for the dialog again");
    }
}

void SheetHandlersTest::landingButtonOpensDialog()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.click(Command1);
    QVERIFY(sheet.isDialogOpen());
    QCOMPARE(sheet.dialogOpenings(), 1);
    QVERIFY(sheet.messages().empty());
}

// Two fields whose checks both fail must not pull the focus from each
// other for ever, a message each time.
void SheetHandlersTest::twoFailingChecksGiveOneMessageEach_data()
{
    QTest::addColumn<int>("from"); // 0 engines, 1 landing points, 2 high-speed watch
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("engines-to-landing") << 0 << 1 << badEngines;
    QTest::newRow("landing-to-engines") << 1 << 0 << badLanding;
    QTest::newRow("negative-time-to-engines") << 2 << 0 << negativeHigh;
}

void SheetHandlersTest::twoFailingChecksGiveOneMessageEach()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, message);
    const Ctl fields[] = {Engines(0), LandingPts, HS_Watch(0)};
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(Engines(0), "0");
    sheet.setText(LandingPts, "97");
    sheet.setText(HS_Watch(0), "-1");
    sheet.rules().focusTo(fields[from]);
    sheet.takeMessages();
    sheet.click(fields[to]);
    QCOMPARE(messagesOf(sheet), QStringList{message});
    QVERIFY2(sheet.focused() == fields[from], "the focus ends in a field whose check failed");

    sheet.click(fields[to]); // trying again gives the same single message
    QCOMPARE(messagesOf(sheet), QStringList{message});
}

void SheetHandlersTest::pressWithFailedCheckDoesNotCount()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(LandingPts, "97");
    sheet.click(LandingPts);
    sheet.click(Command2);
    QCOMPARE(messagesOf(sheet), QStringList{badLanding});
    QVERIFY2(!sheet.isVisible(Summary), "no calculation while the landing points are wrong");
}

// A calculation that stopped on the engine count used to leave a total
// from another flight beside a half-written summary, without a word.
void SheetHandlersTest::calculationWithoutEngineCount_data()
{
    QTest::addColumn<QString>("engines");
    QTest::newRow("empty") << "";
    QTest::newRow("trailing-letters") << "2x";
    QTest::newRow("comma") << "1,0";
}

void SheetHandlersTest::calculationWithoutEngineCount()
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
    QCOMPARE(messagesOf(sheet), QStringList{badEngines});
    QVERIFY(sheet.focused() == Engines(0));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0"));
    QCOMPARE(sheet.items(Summary).size(), std::size_t(3));
    QVERIFY2(reported.calculations.size() == 1, "a calculation stopped on the engine count is not reported");
}

void SheetHandlersTest::resetClearsTheSheet()
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
        {shown.highSpeedWatches[0], HS_Watch(0)}, {shown.highSpeedWatches[1], HS_Watch(1)},
        {shown.lowSpeedWatches[0], LS_Watch(0)},  {shown.lowSpeedWatches[1], LS_Watch(1)},
        {shown.highSpeedTime, HS_Time},           {shown.highSpeedMph, HS_MPH},
        {shown.highSpeedPoints, HS_Points},       {shown.lowSpeedTime, LS_Time},
        {shown.lowSpeedMph, LS_MPH},              {shown.lowSpeedPoints, LS_Points},
        {shown.engines[0], Engines(0)},           {shown.engines[1], Engines(1)},
        {shown.landingPoints, LandingPts},        {shown.score, Score}};
    for (const auto &[recorded, field] : fields)
        QCOMPARE(recorded, sheet.text(field));
    QCOMPARE(shown.highSpeedWatches[1], std::string("12.4"));
    QCOMPARE(shown.landingPoints, std::string("90"));
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

void SheetHandlersTest::exitEndsTheProgram()
{
    HeadlessSheet sheet;
    ReportedFlights reported;
    sheet.rules().setObserver(&reported);
    sheet.start();
    sheet.click(Command4);
    QVERIFY(sheet.hasEnded());
    QCOMPARE(reported.flightsEnded, 1);
}

QTEST_APPLESS_MAIN(SheetHandlersTest)
#include "sheet_handlers_test.moc"
