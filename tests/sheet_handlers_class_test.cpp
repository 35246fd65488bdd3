// The handlers of the class and scale options on the headless sheet, from start-up.

#include "headless_sheet.h"
#include "headless_sheet_reading.h"
#include "typical_runs.h"

#include "conversions.h"
#include "event_classes.h"

#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

class SheetHandlersClassTest : public QObject {
    Q_OBJECT

private slots:
    void startUp();
    void classChoice_data();
    void classChoice();
    void classChangeRescoresBothRuns();
    void classChangeRescoresALoneHighSpeedRun();
};

void SheetHandlersClassTest::startUp()
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

void SheetHandlersClassTest::classChoice_data()
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

void SheetHandlersClassTest::classChoice()
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

void SheetHandlersClassTest::classChangeRescoresBothRuns()
{
    HeadlessSheet sheet;
    flyTypicalRuns(sheet);
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("20.2"));
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, Score), QStringLiteral("165.9"));
    sheet.click(Class(4));
    QVERIFY2(!sheet.isVisible(Summary) && sheet.items(Summary).empty(),
             "the summary goes with the score the class change took away");
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
void SheetHandlersClassTest::classChangeRescoresALoneHighSpeedRun()
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

QTEST_APPLESS_MAIN(SheetHandlersClassTest)
#include "sheet_handlers_class_test.moc"
