#include "conversions.h"
#include "event_classes.h"
#include "handler_failure.h"

#include <QTest>

using namespace orlo;

class SpeedTest : public QObject {
    Q_OBJECT

private slots:
    void workedValues_data();
    void workedValues();
    void classTable();
    void zeroTimeIsEmpty();
    void smallerCircleIsSlower();
    void negativeTimeGivesNegativeSpeed();
    void tinyTimeAbandonsRatherThanOverflows();
};

void SpeedTest::workedValues_data()
{
    QTest::addColumn<int>("classIndex");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("points");

    QTest::newRow("class-i-25s") << 0 << 25.0 << "71.9710317098182" << "72.0";
    QTest::newRow("class-i-20s") << 0 << 20.0 << "89.9637896372727" << "90.0";
    QTest::newRow("class-i-12.5s") << 0 << 12.5 << "143.942063419636" << "143.9";
    QTest::newRow("fifteen-carrier-25s") << 4 << 25.0 << "62.3748941485091" << "62.4";
    QTest::newRow("fifteen-carrier-12.5s") << 4 << 12.5 << "124.749788297018" << "124.7";
    QTest::newRow("class-i-12.35s") << 0 << 12.35 << "145.690347590725" << "145.7";
    QTest::newRow("skyray-uses-120ft") << 5 << 25.0 << "71.9710317098182" << "72.0";
}

void SpeedTest::workedValues()
{
    QFETCH(int, classIndex);
    QFETCH(double, seconds);
    QFETCH(QString, speed);
    QFETCH(QString, points);
    const auto mph = speedMph(static_cast<ClassIndex>(classIndex), seconds);
    QVERIFY2(mph.has_value(), "a time above 0 has a speed");
    QCOMPARE(QString::fromStdString(Number_Text(mph)), speed);
    QCOMPARE(QString::fromStdString(Format_Pattern(Number_Text(mph), Pattern::OneDecimal)), points);
}

void SpeedTest::classTable()
{
    const char *captions[] = {"Class I", "Class II", "Profile", "Sportsman", ".15 Carrier", "Skyray Carrier"};
    const char *upper[] = {"100", "100", "10", "10", "", ""};
    for (ClassIndex i = 0; i < 6; ++i) {
        const EventClass &c = eventClass(i);
        QCOMPARE(QString::fromUtf8(c.caption.data(), qsizetype(c.caption.size())), QString::fromUtf8(captions[i]));
        QCOMPARE(c.circleFeet, i == 4 ? 104.0 : 120.0);
        QCOMPARE(c.scaleOptionsShown, i <= 3);
        QCOMPARE(QString::fromUtf8(c.upperScaleCaption.data(), qsizetype(c.upperScaleCaption.size())),
                 QString::fromUtf8(upper[i]));
    }
    QCOMPARE(eventClass(-1).circleFeet, 120.0);
    QCOMPARE(eventClass(6).circleFeet, 120.0);
}

void SpeedTest::zeroTimeIsEmpty()
{
    QVERIFY(!speedMph(0, 0.0).has_value());
    QVERIFY(!speedMph(4, -0.0).has_value());
}

void SpeedTest::smallerCircleIsSlower()
{
    for (double seconds : {5.0, 12.35, 25.0, 60.0}) {
        const double circle120 = *speedMph(0, seconds);
        const double circle104 = *speedMph(4, seconds);
        QVERIFY2(circle104 < circle120, "the 104 ft circle gives the lower speed");
        QVERIFY(qFuzzyCompare(circle104 / circle120, 104.0 / 120.0));
    }
}

void SpeedTest::negativeTimeGivesNegativeSpeed()
{
    QCOMPARE(QString::fromStdString(Number_Text(speedMph(0, -25.0))), QStringLiteral("-71.9710317098182"));
}

void SpeedTest::tinyTimeAbandonsRatherThanOverflows()
{
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, speedMph(0, 1e-320));
}

QTEST_APPLESS_MAIN(SpeedTest)
#include "speed_test.moc"
