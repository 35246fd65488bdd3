#include "headless_sheet.h"
#include "headless_sheet_reading.h"

#include "conversions.h"
#include "event_classes.h"

#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

const QString negativeHigh = QStringLiteral("Negative time, how'd you do that? Positive numbers please.");
const QString negativeLow = QStringLiteral("Negative times, how'd you do that? Positive numbers please.");
const QString noHighSpeed = QStringLiteral("You must enter at least one watch time for the highspeed.");

} // namespace

class WatchTimesTest : public QObject {
    Q_OBJECT

private slots:
    void workedExampleTypedByTheOperator();
    void typingReplacesTheWholeReading();
    void highSpeedRun_data();
    void highSpeedRun();
    void lowSpeedRun_data();
    void lowSpeedRun();
    void lowSpeedBeforeHighSpeed();
    void highSpeedChangeUpdatesLowSpeedPoints();
    void clearedReadingsClearPoints();
    void overflowingSumStopsTheHandler();
};

void WatchTimesTest::workedExampleTypedByTheOperator()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(HS_Watch(0), "12.3");
    sheet.tab();
    sheet.typeHere("12.4");
    sheet.tab();
    QCOMPARE(textOf(sheet, HS_Time), QStringLiteral("12.35"));
    QCOMPARE(textOf(sheet, HS_MPH), QStringLiteral("145.690347590725"));
    QCOMPARE(textOf(sheet, HS_Points), QStringLiteral("145.7"));

    sheet.typeHere("25");
    sheet.tab();
    sheet.typeHere("");
    sheet.rules().focusTo(Engines(0));
    QCOMPARE(textOf(sheet, LS_Time), QStringLiteral("25"));
    QCOMPARE(textOf(sheet, LS_MPH), QStringLiteral("71.9710317098182"));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("20.2"));
    QVERIFY2(sheet.messages().empty(), "a normal flight shows no message");
}

void WatchTimesTest::typingReplacesTheWholeReading()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(HS_Watch(1), "0.0");
    sheet.type(HS_Watch(1), "12.4");
    QCOMPARE(textOf(sheet, HS_Watch(1)), QStringLiteral("12.4"));
    QCOMPARE(sheet.selection(HS_Watch(1)), std::make_pair(4, 0));
    // The rules' current text box is the watch typed into: Select All selects its reading.
    sheet.rules().Select_All();
    QCOMPARE(sheet.selection(HS_Watch(1)), std::make_pair(0, 4));
}

void WatchTimesTest::highSpeedRun_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("leaving");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focusBackTo"); // watch index, -1 when the focus moves on

    QTest::newRow("two-readings-averaged") << "12.3" << "12.4" << 1 << "12.35" << "145.690347590725" << "145.7" << "" << -1;
    QTest::newRow("only-second-watch") << "" << "12.5" << 1 << "12.5" << "143.942063419636" << "143.9" << "" << -1;
    QTest::newRow("only-first-watch-leaving-first") << "25" << "0" << 0 << "25" << "71.9710317098182" << "72.0" << "" << -1;
    QTest::newRow("letters-skipped") << "abc" << "25" << 1 << "25" << "71.9710317098182" << "72.0" << "" << -1;
    QTest::newRow("decimal-commas-read-as-points") << "12,5" << "12,7" << 1 << "12.6" << "142.799666090909" << "142.8" << "" << -1;
    QTest::newRow("blanks-inside-reading") << "1 2.5" << "" << 0 << "12.5" << "143.942063419636" << "143.9" << "" << -1;
    QTest::newRow("nothing-leaving-first-is-quiet") << "" << "" << 0 << "0" << "0" << "0.0" << "" << -1;
    QTest::newRow("zeros-leaving-second-asks-for-a-time") << "0" << "0" << 1 << "0" << "0" << "0.0" << noHighSpeed << 0;
    QTest::newRow("negative-second-keeps-partial-sum") << "12" << "-1" << 1 << "12" << "0" << "99.9" << negativeHigh << 1;
    QTest::newRow("negative-first-stops-at-once") << "-1" << "12" << 0 << "0" << "0" << "99.9" << negativeHigh << 0;
}

void WatchTimesTest::highSpeedRun()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, leaving);
    QFETCH(QString, time);
    QFETCH(QString, speed);
    QFETCH(QString, points);
    QFETCH(QString, message);
    QFETCH(int, focusBackTo);

    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(HS_Points, "99.9"); // left from an earlier flight
    sheet.setText(HS_Watch(0), first.toStdString());
    sheet.setText(HS_Watch(1), second.toStdString());
    sheet.click(HS_Watch(leaving));
    sheet.click(Engines(0));

    QCOMPARE(textOf(sheet, HS_Time), time);
    QCOMPARE(textOf(sheet, HS_MPH), speed);
    QCOMPARE(textOf(sheet, HS_Points), points);
    QCOMPARE(messagesOf(sheet), message.isEmpty() ? QStringList() : QStringList{message});
    const Ctl expectedFocus = focusBackTo < 0 ? Engines(0) : HS_Watch(focusBackTo);
    QVERIFY2(sheet.focused() == expectedFocus, "the focus goes back to the field to correct");
    QVERIFY(sheet.rules().focus() == expectedFocus);
}

void WatchTimesTest::lowSpeedRun_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("message");

    QTest::newRow("one-reading") << "25" << "" << "25" << "71.9710317098182" << "20.2" << "";
    QTest::newRow("two-readings") << "24" << "26" << "25" << "71.9710317098182" << "20.2" << "";
    QTest::newRow("no-reading-no-points") << "" << "0" << "0" << "0" << "0.0" << "";
    QTest::newRow("negative-keeps-speed-and-points") << "-25" << "" << "0" << "50" << "9.9" << negativeLow;
    QTest::newRow("negative-second-keeps-partial-sum") << "30" << "-2" << "30" << "50" << "9.9" << negativeLow;
}

void WatchTimesTest::lowSpeedRun()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, time);
    QFETCH(QString, speed);
    QFETCH(QString, points);
    QFETCH(QString, message);

    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(HS_Time, "12.35");
    sheet.setText(LS_MPH, "50");
    sheet.setText(LS_Points, "9.9");
    sheet.setText(LS_Watch(0), first.toStdString());
    sheet.setText(LS_Watch(1), second.toStdString());
    sheet.click(LS_Watch(1));
    sheet.click(Engines(0));

    QCOMPARE(textOf(sheet, LS_Time), time);
    QCOMPARE(textOf(sheet, LS_MPH), speed);
    QCOMPARE(textOf(sheet, LS_Points), points);
    QCOMPARE(messagesOf(sheet), message.isEmpty() ? QStringList() : QStringList{message});
}

// Entering the low-speed run first used to stop on a division by zero and
// leave the points of an earlier flight on the sheet.
void WatchTimesTest::lowSpeedBeforeHighSpeed()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(LS_Points, "13.8");
    sheet.type(LS_Watch(0), "25");
    sheet.tab();
    QCOMPARE(textOf(sheet, LS_Time), QStringLiteral("25"));
    QCOMPARE(textOf(sheet, LS_MPH), QStringLiteral("71.9710317098182"));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("0.0"));

    sheet.type(HS_Watch(0), "12.3");
    sheet.type(HS_Watch(1), "12.4");
    sheet.tab();
    QCOMPARE(textOf(sheet, HS_Points), QStringLiteral("145.7"));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("20.2"));
}

void WatchTimesTest::highSpeedChangeUpdatesLowSpeedPoints()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(HS_Watch(0), "12.5");
    sheet.type(LS_Watch(0), "25");
    sheet.tab();
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("20.0"));

    sheet.type(HS_Watch(0), "10");
    sheet.tab();
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("25.0"));
}

void WatchTimesTest::clearedReadingsClearPoints()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(HS_Watch(0), "12.5");
    sheet.type(LS_Watch(0), "25");
    sheet.tab();
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("20.0"));

    sheet.type(LS_Watch(0), "0");
    sheet.tab();
    QCOMPARE(textOf(sheet, LS_MPH), QStringLiteral("0"));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("0.0"));

    sheet.type(LS_Watch(0), "25");
    sheet.type(HS_Watch(0), "");
    sheet.tab(); // leaving the first watch with nothing in either: no message
    QVERIFY(sheet.messages().empty());
    QCOMPARE(textOf(sheet, HS_Points), QStringLiteral("0.0"));
    QCOMPARE(textOf(sheet, LS_Points), QStringLiteral("0.0"));
}

void WatchTimesTest::overflowingSumStopsTheHandler()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(HS_Watch(0), "1e308");
    sheet.setText(HS_Watch(1), "1e308");
    sheet.click(HS_Watch(1));
    sheet.tab();
    QCOMPARE(textOf(sheet, HS_Time), QStringLiteral("1E+308"));
    QCOMPARE(textOf(sheet, HS_MPH), QStringLiteral("0"));
    QVERIFY2(sheet.focused() == LS_Watch(0), "the operator moves on; the handler just stopped");

    sheet.type(HS_Watch(1), "12.5");
    sheet.type(HS_Watch(0), "12.5");
    sheet.tab();
    QCOMPARE(textOf(sheet, HS_Time), QStringLiteral("12.5"));
}

QTEST_APPLESS_MAIN(WatchTimesTest)
#include "watch_times_test.moc"
