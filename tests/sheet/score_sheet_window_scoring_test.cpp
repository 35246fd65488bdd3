// The score sheet window scoring what is typed: the worked example, a class change, bad readings, engine counts.

#include "conversions.h"
#include "event_classes.h"
#include "hang_watchdog.h"
#include "score_sheet_window.h"
#include "sheet_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

class ScoreSheetWindowScoringTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void workedExampleTyped();
    void classChangeWithBothTimes_data();
    void classChangeWithBothTimes();
    void badReading_data();
    void badReading();
    void engineCount_data();
    void engineCount();
};

void ScoreSheetWindowScoringTest::initTestCase()
{
    QVERIFY2(prepareSheetTests(), "the Tahoma-metric fonts of fonts-wine are installed");
}

void ScoreSheetWindowScoringTest::workedExampleTyped()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");

    QVERIFY(typeInto(window, HS_Watch(0), QStringLiteral("12.3")));
    QVERIFY(tabOn(window));
    QVERIFY(type(QStringLiteral("12.4")));
    QVERIFY(tabOn(window));
    QCOMPARE(focusName(), QStringLiteral("LS_Watch_0"));
    QCOMPARE(textOf(window, HS_Watch(1)), QStringLiteral("12.4"));
    QCOMPARE(textOf(window, HS_Time), QStringLiteral("12.35"));
    QCOMPARE(textOf(window, HS_MPH), QStringLiteral("145.690347590725"));
    QCOMPARE(textOf(window, HS_Points), QStringLiteral("145.7"));
    // The speed is wider than its box: its leading digits are the ones in view.
    QCOMPARE(widgetOf<QLineEdit>(window, HS_MPH)->cursorPosition(), 0);

    QVERIFY(type(QStringLiteral("25")));
    QVERIFY(tabOn(window));
    QVERIFY(press(Qt::Key_Delete));
    QCOMPARE(textOf(window, LS_Watch(1)), QString());
    QVERIFY(tabOn(window));
    QCOMPARE(focusName(), QStringLiteral("Engines_0"));
    QCOMPARE(textOf(window, LS_Time), QStringLiteral("25"));
    QCOMPARE(textOf(window, LS_MPH), QStringLiteral("71.9710317098182"));
    QCOMPARE(textOf(window, LS_Points), QStringLiteral("20.2"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowScoringTest::classChangeWithBothTimes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("scaleShown");
    QTest::addColumn<QString>("upperScale");

    QTest::newRow("class-two-keeps-hundred") << 1 << true << "100";
    QTest::newRow("profile-offers-ten") << 2 << true << "10";
    QTest::newRow("sportsman-offers-ten") << 3 << true << "10";
    QTest::newRow("dot-15-smaller-circle-no-scale") << 4 << false << "";
    QTest::newRow("skyray-no-scale") << 5 << false << "";
}

void ScoreSheetWindowScoringTest::classChangeWithBothTimes()
{
    QFETCH(int, index);
    QFETCH(bool, scaleShown);
    QFETCH(QString, upperScale);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    // Scale 100 picked under Class I: a class without scale points takes it away.
    QVERIFY(clickOn(window, ScalePts(1)));
    QTRY_VERIFY_WITH_TIMEOUT(widgetOf<QRadioButton>(window, ScalePts(1))->isChecked(), hangWatchdogMs);
    QVERIFY(enterWorkedRuns(window));

    QVERIFY(clickOn(window, Class(index)));
    const auto klass = static_cast<ClassIndex>(index);
    QTRY_COMPARE_WITH_TIMEOUT(window.rules().classIndex(), klass, hangWatchdogMs);
    QVERIFY2(widgetOf<QRadioButton>(window, Class(index))->isChecked(), "the clicked class is selected");
    QCOMPARE(textOf(window, HS_MPH), QString::fromStdString(Number_Text(speedMph(klass, 12.35))));
    QCOMPARE(textOf(window, HS_Points),
             QString::fromStdString(Format_Pattern(Number_Text(speedMph(klass, 12.35)), Pattern::OneDecimal)));
    QCOMPARE(textOf(window, LS_MPH), QString::fromStdString(Number_Text(speedMph(klass, 25))));
    QCOMPARE(textOf(window, LS_Points), QStringLiteral("20.2"));
    QCOMPARE(textOf(window, Score), QStringLiteral("0"));
    QCOMPARE(widgetOf(window, ScalePts(1))->isVisible(), scaleShown);
    if (scaleShown) {
        QCOMPARE(widgetOf<QRadioButton>(window, ScalePts(1))->text(), upperScale);
        QCOMPARE(widgetOf(window, ScalePts(1))->accessibleName(), QStringLiteral("Scale Points ") + upperScale);
        QVERIFY2(widgetOf<QRadioButton>(window, ScalePts(1))->isChecked(), "the scale choice is kept");
    } else {
        QVERIFY2(widgetOf<QRadioButton>(window, ScalePts(0))->isChecked(), "no scale points for this class");
    }
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowScoringTest::badReading_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("leaveTo");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focusBack");

    QTest::newRow("negative-high-speed-by-tab") << "HS_Watch_0" << "-1" << "tab" << negativeHighSpeed
                                                << "HS_Watch_0";
    QTest::newRow("negative-high-speed-by-click-on-calc") << "HS_Watch_0" << "-1" << "Command2"
                                                          << negativeHighSpeed << "HS_Watch_0";
    QTest::newRow("negative-high-speed-by-click-on-class") << "HS_Watch_1" << "-2" << "Class_1"
                                                           << negativeHighSpeed << "HS_Watch_1";
    QTest::newRow("negative-low-speed-by-tab") << "LS_Watch_1" << "-3" << "tab" << negativeLowSpeed
                                               << "LS_Watch_1";
    QTest::newRow("no-high-speed-reading") << "HS_Watch_1" << "" << "tab" << noHighSpeedTime << "HS_Watch_0";
}

void ScoreSheetWindowScoringTest::badReading()
{
    QFETCH(QString, field);
    QFETCH(QString, reading);
    QFETCH(QString, leaveTo);
    QFETCH(QString, message);
    QFETCH(QString, focusBack);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    const Ctl control{field.startsWith(QLatin1String("HS")) ? Name::HS_Watch : Name::LS_Watch,
                      field.back().digitValue()};
    QVERIFY(clickOn(window, control));
    if (reading.isEmpty())
        QVERIFY(press(Qt::Key_Delete));
    else
        QVERIFY(type(reading));

    if (leaveTo == QLatin1String("tab")) {
        QVERIFY(press(Qt::Key_Tab));
    } else {
        QVERIFY(mouseOn(window.findChild<QWidget *>(leaveTo)));
    }
    QTRY_COMPARE_WITH_TIMEOUT(messages.texts(), QStringList{message}, hangWatchdogMs);
    QVERIFY2(messages.faults().isEmpty(), qPrintable(messages.faults().join('|')));
    QVERIFY2(settledAt(window, focusBack), qPrintable("the focus is back in " + focusBack + ", not " + focusName()));
    QVERIFY2(window.isActiveWindow(), "the sheet is active again after the message");
    // A button or an option the operator clicked on the way out does nothing.
    QVERIFY2(!widgetOf(window, Summary)->isVisible(), "no score was calculated");
    QVERIFY2(widgetOf<QRadioButton>(window, Class(0))->isChecked() && window.rules().classIndex() == 0,
             "the class stays as it was");
    QTest::qWait(100);
    QCOMPARE(messages.texts().size(), 1);
    // The field takes typing again at once.
    auto *back = window.findChild<QLineEdit *>(focusBack);
    QVERIFY(type(QStringLiteral("13")));
    QVERIFY2(back->text().endsWith(QLatin1String("13")), qPrintable(back->text()));
}

void ScoreSheetWindowScoringTest::engineCount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("runningShown");
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<QStringList>("messageTexts");

    QTest::newRow("two-engines-ask-how-many-ran") << "2" << true << "2" << "Engines_1" << QStringList{};
    // The press that leaves the count counts, and the focus ends where the count sent it.
    QTest::newRow("two-engines-then-calc-score") << "2" << true << "2" << "Engines_1" << QStringList{};
    QTest::newRow("one-engine-no-question") << "1" << false << "0" << "ScalePts_0" << QStringList{};
    QTest::newRow("zero-engines") << "0" << false << "0" << "Engines_0" << QStringList{badEngineCount};
    QTest::newRow("no-engines-typed") << "" << false << "0" << "Engines_0" << QStringList{badEngineCount};
    QTest::newRow("half-an-engine") << "0.5" << false << "0" << "Engines_0" << QStringList{badEngineCount};
}

void ScoreSheetWindowScoringTest::engineCount()
{
    QFETCH(QString, typed);
    QFETCH(bool, runningShown);
    QFETCH(QString, running);
    QFETCH(QString, focusAfter);
    QFETCH(QStringList, messageTexts);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(clickOn(window, Engines(0)));
    QVERIFY(typed.isEmpty() ? press(Qt::Key_Delete) : type(typed));
    const bool calculate = QByteArray(QTest::currentDataTag()).endsWith("calc-score");
    QVERIFY(calculate ? mouseOn(window, Command2) : press(Qt::Key_Tab));
    QTRY_COMPARE_WITH_TIMEOUT(messages.texts(), messageTexts, hangWatchdogMs);
    if (calculate)
        QTRY_COMPARE_WITH_TIMEOUT(textOf(window, Score), QStringLiteral("20.0"), hangWatchdogMs);
    QVERIFY2(settledAt(window, focusAfter), qPrintable("the focus is in " + focusAfter + ", not " + focusName()));
    QCOMPARE(widgetOf(window, Engines(1))->isVisible(), runningShown);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblRunning"))->isVisible(), runningShown);
    QCOMPARE(textOf(window, Engines(1)), running);
    QCOMPARE(textOf(window, Engines(0)), typed);
    if (runningShown) {
        // The copy is selected: typing replaces it.
        QVERIFY(type(QStringLiteral("1")));
        QCOMPARE(textOf(window, Engines(1)), QStringLiteral("1"));
    }
    QTest::qWait(100);
    QCOMPARE(messages.texts(), messageTexts);
}

QTEST_MAIN(ScoreSheetWindowScoringTest)
#include "score_sheet_window_scoring_test.moc"
