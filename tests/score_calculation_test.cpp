#include "headless_sheet.h"
#include "headless_sheet_reading.h"

#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// The worked flight: Class I, 72.0 and 13.8 speed points, 100 scale points,
// a 95-point landing.
void enterWorkedFlight(HeadlessSheet &sheet, const char *engines, const char *running)
{
    sheet.start();
    sheet.setText(HS_Points, "72.0");
    sheet.setText(LS_Points, "13.8");
    sheet.setText(Engines(0), engines);
    sheet.setText(Engines(1), running);
    sheet.select(ScalePts(1));
    sheet.setText(LandingPts, "95");
}

} // namespace

class ScoreCalculationTest : public QObject {
    Q_OBJECT

private slots:
    void freshSheet();
    void singleEngineFlight();
    void stoppedEngineHalvesLowSpeedPoints();
    void repeatedPressChangesNothing();
    void equalCountsRestoreFullPoints();
    void resetForgetsTheRunsPoints();
    void bonusWithoutHalving_data();
    void bonusWithoutHalving();
    void classesWithoutScalePoints_data();
    void classesWithoutScalePoints();
    void landingTextListedAsTyped();
    void abandonedHandlerKeepsItsDoneSteps();
};

void ScoreCalculationTest::freshSheet()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.click(Command2);
    QVERIFY2(sheet.isVisible(Summary), "the summary shows after a calculation");
    QCOMPARE(summaryOf(sheet), QStringList({"Class I", ".0 High Speed Points", ".0 Low Speed Points",
                                            ".0 Scale Points", ".0 Landing Points", ".0 Total Score"}));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0.0"));
    QVERIFY(sheet.messages().empty());
}

void ScoreCalculationTest::singleEngineFlight()
{
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "1", "0");
    sheet.click(Command2);
    QCOMPARE(summaryOf(sheet), QStringList({"Class I", "72.0 High Speed Points", "13.8 Low Speed Points",
                                            "100.0 Scale Points", "95.0 Landing Points", "280.8 Total Score"}));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("280.8"));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("13.8"));
}

void ScoreCalculationTest::stoppedEngineHalvesLowSpeedPoints()
{
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "2", "1");
    sheet.click(Command2);
    // The low-speed line lists the halved points that count, so the lines add up.
    QCOMPARE(summaryOf(sheet),
             QStringList({"Class I", "72.0 High Speed Points", "6.9 Low Speed Points", " 20.0 Multiple Engine Bonus",
                          "100.0 Scale Points", "95.0 Landing Points", "293.9 Total Score"}));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("6.9"));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("293.9"));

    // An unreadable count stops the calculation; the partial list shows the
    // low-speed points the field still holds, not the run's unhalved ones.
    sheet.setText(Engines(0), "2x");
    sheet.click(Command2);
    QCOMPARE(summaryOf(sheet), QStringList({"Class I", "72.0 High Speed Points", "6.9 Low Speed Points"}));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("6.9"));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0"));
}

void ScoreCalculationTest::repeatedPressChangesNothing()
{
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "2", "1");
    sheet.click(Command2);
    const QStringList first = summaryOf(sheet);
    for (int press = 2; press <= 4; ++press) {
        sheet.click(Command2);
        QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("6.9"));
        QCOMPARE(textOf(sheet, Score), QStringLiteral("293.9"));
        QCOMPARE(summaryOf(sheet), first);
    }
}

void ScoreCalculationTest::equalCountsRestoreFullPoints()
{
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "2", "1");
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("6.9"));

    sheet.setText(Engines(1), "2");
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("13.8"));
    sheet.setText(Engines(1), "two");
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("6.9")); // a running count that is no number differs
    sheet.setText(Engines(1), "2");
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, Score), QStringLiteral("300.8")); // 72 + 20 + 13.8 + 100 + 95

    sheet.setText(Engines(0), "1");
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, Score), QStringLiteral("280.8"));
}

void ScoreCalculationTest::resetForgetsTheRunsPoints()
{
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "2", "1");
    sheet.click(Command2);
    sheet.click(Command3);
    sheet.click(Command2);
    QCOMPARE(summaryOf(sheet), QStringList({"Class I", ".0 High Speed Points", ".0 Low Speed Points",
                                            ".0 Scale Points", ".0 Landing Points", ".0 Total Score"}));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("0"));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0.0"));
}

void ScoreCalculationTest::bonusWithoutHalving_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("lowSpeedPoints");
    QTest::addColumn<QString>("score");
    QTest::newRow("all-engines-running") << "2" << "13.8" << "300.8";
    QTest::newRow("running-count-written-as-decimal") << "2.0" << "13.8" << "300.8";
    QTest::newRow("running-count-with-blanks") << " 2 " << "13.8" << "300.8";
    QTest::newRow("no-low-speed-points-to-halve") << "0" << "0.0" << "287.0";
    // 92 + 6.95 + 100 + 95 as a double lies just below 293.95.
    QTest::newRow("total-rounds-as-the-fields-add-up") << "2" << "6.95" << "294.0";
}

void ScoreCalculationTest::bonusWithoutHalving()
{
    QFETCH(QString, running);
    QFETCH(QString, lowSpeedPoints);
    QFETCH(QString, score);
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "2", running.toStdString().c_str());
    sheet.setText(LS_Points, lowSpeedPoints.toStdString());
    sheet.click(Command2);
    QVERIFY(summaryOf(sheet).contains(" 20.0 Multiple Engine Bonus"));
    QCOMPARE(textOf(sheet, LS_Points), lowSpeedPoints);
    QCOMPARE(textOf(sheet, Score), score);
}

void ScoreCalculationTest::classesWithoutScalePoints_data()
{
    QTest::addColumn<int>("classIndex");
    QTest::addColumn<QString>("caption");
    QTest::newRow("fifteen-carrier") << 4 << ".15 Carrier";
    QTest::newRow("skyray-carrier") << 5 << "Skyray Carrier";
}

void ScoreCalculationTest::classesWithoutScalePoints()
{
    QFETCH(int, classIndex);
    QFETCH(QString, caption);
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "1", "0");
    sheet.click(Class(classIndex));
    sheet.click(Command2);
    const QStringList lines = summaryOf(sheet);
    QCOMPARE(lines.value(0), caption);
    QVERIFY2(lines.contains(".0 Scale Points"), qPrintable(lines.join('|')));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("180.8"));
}

void ScoreCalculationTest::landingTextListedAsTyped()
{
    HeadlessSheet sheet;
    enterWorkedFlight(sheet, "1", "0");
    sheet.setText(LandingPts, "12abc");
    sheet.rules().Command2_Click();
    QCOMPARE(summaryOf(sheet).value(4), QStringLiteral("12abc Landing Points"));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("197.8")); // 72 + 13.8 + 100 + 12
}

// A time field that is not a number stops the class handler after it has
// set the class and its scale options; the score is left as it was.
void ScoreCalculationTest::abandonedHandlerKeepsItsDoneSteps()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(Score, "280.8");
    sheet.setText(HS_Time, "abc");
    sheet.click(Class(2));
    QCOMPARE(sheet.rules().classIndex(), ClassIndex(2));
    QCOMPARE(QString::fromStdString(sheet.caption(ScalePts(1))), QStringLiteral("10"));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("280.8"));
    // The sheet keeps working after the abandoned handler.
    sheet.setText(HS_Time, "0");
    sheet.click(Class(1));
    QCOMPARE(textOf(sheet, Score), QStringLiteral("0"));
}

QTEST_APPLESS_MAIN(ScoreCalculationTest)
#include "score_calculation_test.moc"
