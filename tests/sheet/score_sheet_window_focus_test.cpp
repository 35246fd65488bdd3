// The score sheet window's keyboard and focus: Tab, entry into the fields, the class by arrow keys, other windows.

#include "event_classes.h"
#include "hang_watchdog.h"
#include "score_sheet_window.h"
#include "sheet_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

class ScoreSheetWindowFocusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tabWalk_data();
    void tabWalk();
    void selectAllOnEntry_data();
    void selectAllOnEntry();
    void readOnlyFieldsTakeClicksNotTyping();
    void longNumberShowsItsLeadingDigits();
    void classByArrowKeys();
    void otherWindowIsNoFocusMove();
    void clickIntoInactiveSheetCounts();
};

void ScoreSheetWindowFocusTest::initTestCase()
{
    QVERIFY2(prepareSheetTests(), "the Tahoma-metric fonts of fonts-wine are installed");
}

void ScoreSheetWindowFocusTest::tabWalk_data()
{
    QTest::addColumn<QString>("classOption");
    QTest::addColumn<QString>("engines");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QStringList>("walk");

    // From HS_Watch(0) holding a reading, so that no watch check stops the walk.
    QTest::newRow("forward-skips-results-and-landing")
        << "" << "1" << true
        << QStringList{"HS_Watch_1", "LS_Watch_0", "LS_Watch_1", "Engines_0", "ScalePts_0", "Command1",
                       "Command2", "Command3", "Command4", "Class_0", "HS_Watch_0"};
    QTest::newRow("backward-is-the-reverse")
        << "" << "1" << false
        << QStringList{"Class_0", "Command4", "Command3", "Command2", "Command1", "ScalePts_0", "Engines_0",
                       "LS_Watch_1", "LS_Watch_0", "HS_Watch_1", "HS_Watch_0"};
    QTest::newRow("sportsman-stops-after-calc-score")
        << "Class_3" << "1" << true
        << QStringList{"HS_Watch_1", "LS_Watch_0", "LS_Watch_1", "Engines_0", "ScalePts_0", "Command1",
                       "Command2", "Class_3", "Command3", "Command4", "HS_Watch_0"};
    QTest::newRow("running-engines-stop-when-shown")
        << "" << "2" << true
        << QStringList{"HS_Watch_1", "LS_Watch_0", "LS_Watch_1", "Engines_0", "Engines_1", "ScalePts_0"};
    QTest::newRow("skyray-hides-the-scale-options")
        << "Class_5" << "1" << true
        << QStringList{"HS_Watch_1", "LS_Watch_0", "LS_Watch_1", "Engines_0", "Command1", "Command2",
                       "Command3", "Command4", "Class_5", "HS_Watch_0"};
}

void ScoreSheetWindowFocusTest::tabWalk()
{
    QFETCH(QString, classOption);
    QFETCH(QString, engines);
    QFETCH(bool, forward);
    QFETCH(QStringList, walk);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    if (!classOption.isEmpty()) {
        const int index = classOption.back().digitValue();
        QVERIFY(clickOn(window, Class(index)));
        QTRY_COMPARE_WITH_TIMEOUT(window.rules().classIndex(), ClassIndex(index), hangWatchdogMs);
    }
    QVERIFY(typeInto(window, HS_Watch(0), QStringLiteral("12.3")));
    if (engines != QLatin1String("1")) {
        // Leaving the engine count for the running count, then back to the start.
        QVERIFY(typeInto(window, Engines(0), engines));
        QVERIFY(tabOn(window));
        QVERIFY(clickOn(window, HS_Watch(0)));
    }

    QStringList walked;
    for (qsizetype step = 0; step < walk.size(); ++step) {
        QVERIFY(press(forward ? Qt::Key_Tab : Qt::Key_Backtab));
        QVERIFY2(QTest::qWaitFor([&] { return !focusName().isEmpty() && focusName() == rulesFocusName(window); }, hangWatchdogMs),
                 qPrintable("the rules follow the focus to " + focusName()));
        walked << focusName();
    }
    QCOMPARE(walked, walk);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowFocusTest::selectAllOnEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("byTab");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("holding"); // written beforehand, as a handler would

    QTest::addColumn<bool>("typedAhead"); // the keys reach the field before the sheet has had a turn

    QTest::newRow("tab-into-hs-watch-two") << "HS_Watch_1" << true << "12.4" << "" << false;
    QTest::newRow("click-into-hs-watch-two") << "HS_Watch_1" << false << "12.4" << "" << false;
    QTest::newRow("click-into-ls-watch-one") << "LS_Watch_0" << false << "25" << "" << false;
    QTest::newRow("tab-into-ls-watch-two") << "LS_Watch_1" << true << "26.5" << "" << false;
    QTest::newRow("click-into-engines") << "Engines_0" << false << "3" << "" << false;
    // Characters beyond the Basic Multilingual Plane take two UTF-16 units each.
    QTest::newRow("characters-not-utf16-units")
        << "HS_Watch_1" << false << "12.4" << QString::fromUtf8("1\xF0\x9D\x9F\x90\xF0\x9D\x9F\x91.5") << false;
    // A fast official on a busy machine: the keys after Tab or a click are
    // already waiting when the field takes the focus.
    QTest::newRow("typed-ahead-after-tab") << "HS_Watch_1" << true << "12.4" << "" << true;
    QTest::newRow("typed-ahead-after-click") << "LS_Watch_0" << false << "25" << "" << true;
}

void ScoreSheetWindowFocusTest::selectAllOnEntry()
{
    QFETCH(QString, name);
    QFETCH(bool, byTab);
    QFETCH(QString, typed);
    QFETCH(QString, holding);
    QFETCH(bool, typedAhead);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    auto *field = window.findChild<QLineEdit *>(name);
    QVERIFY(field);
    if (!holding.isEmpty())
        field->setText(holding);
    const Ctl control{name.startsWith(QLatin1String("HS")) ? Name::HS_Watch
                      : name.startsWith(QLatin1String("LS")) ? Name::LS_Watch
                                                             : Name::Engines,
                      name.back().digitValue()};
    if (byTab) {
        // From the field before it, which holds a reading so no check stops the Tab.
        QVERIFY(typeInto(window, {control.name, control.index - 1}, QStringLiteral("12.3")));
        if (typedAhead)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else
            QVERIFY(tabOn(window));
        QCOMPARE(focusName(), name);
    } else if (typedAhead) {
        QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
    } else {
        QVERIFY(clickOn(window, control));
    }
    if (typedAhead)
        QTest::keyClicks(field, typed);
    else
        QVERIFY(type(typed));
    QTRY_COMPARE_WITH_TIMEOUT(field->text(), typed, hangWatchdogMs);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowFocusTest::readOnlyFieldsTakeClicksNotTyping()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(typeInto(window, HS_Watch(0), QStringLiteral("12")));
    // Clicking into the average time leaves the watch field: its run is computed.
    QVERIFY(clickOn(window, HS_Time));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(window, HS_Time), QStringLiteral("12"), hangWatchdogMs);
    QCOMPARE(focusName(), QStringLiteral("HS_Time"));
    QVERIFY(type(QStringLiteral("99")));
    QCOMPARE(textOf(window, HS_Time), QStringLiteral("12"));
    QVERIFY(clickOn(window, Score));
    QVERIFY(type(QStringLiteral("5")));
    QCOMPARE(textOf(window, Score), QStringLiteral("0"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

// A number longer than its box, once the operator has clicked into it and
// moved on, shows its leading digits again rather than its tail.

void ScoreSheetWindowFocusTest::longNumberShowsItsLeadingDigits()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    window.setText(HS_MPH, "179927.579274545");
    QVERIFY(clickOn(window, HS_MPH));
    QVERIFY(press(Qt::Key_End));
    QVERIFY(widgetOf<QLineEdit>(window, HS_MPH)->cursorPosition() > 0);
    QVERIFY(clickOn(window, HS_Watch(0)));
    QCOMPARE(widgetOf<QLineEdit>(window, HS_MPH)->cursorPosition(), 0);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowFocusTest::classByArrowKeys()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(press(Qt::Key_Right));
    QTRY_COMPARE_WITH_TIMEOUT(window.rules().classIndex(), ClassIndex{1}, hangWatchdogMs);
    QVERIFY(settledAt(window, QStringLiteral("Class_1")));
    QVERIFY(press(Qt::Key_Right));
    QTRY_COMPARE_WITH_TIMEOUT(window.rules().classIndex(), ClassIndex{2}, hangWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(widgetOf<QRadioButton>(window, ScalePts(1))->text(), QStringLiteral("10"), hangWatchdogMs);
    QVERIFY2(widgetOf<QRadioButton>(window, Class(2))->isChecked(), "Profile is selected");
    // Tab from the group goes on from the selected option.
    QVERIFY(tabOn(window));
    QCOMPARE(focusName(), QStringLiteral("HS_Watch_0"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowFocusTest::otherWindowIsNoFocusMove()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(typeInto(window, HS_Watch(0), QStringLiteral("-1")));

    QWidget other;
    other.setWindowTitle(QStringLiteral("another program"));
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other, hangWatchdogMs));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window, hangWatchdogMs));
    QTest::qWait(100);
    QVERIFY2(messages.texts().isEmpty(), "switching windows does not leave the field");
    QCOMPARE(focusName(), QStringLiteral("HS_Watch_0"));

    QVERIFY(press(Qt::Key_Tab));
    QTRY_COMPARE_WITH_TIMEOUT(messages.texts(), QStringList{negativeHighSpeed}, hangWatchdogMs);
    QVERIFY(settledAt(window, QStringLiteral("HS_Watch_0")));
}

void ScoreSheetWindowFocusTest::clickIntoInactiveSheetCounts()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(typeInto(window, HS_Watch(0), QStringLiteral("12.3")));

    // Another window (the landing dialog, say) is active; the operator
    // clicks "Calc. Score" on the sheet straight away.
    QWidget other;
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other, hangWatchdogMs));
    QWidget *calculate = widgetOf(window, Command2);
    QTest::mouseClick(calculate, Qt::LeftButton, {}, calculate->rect().center());

    QTRY_VERIFY2_WITH_TIMEOUT(widgetOf(window, Summary)->isVisible(), "the press counted", hangWatchdogMs);
    QCOMPARE(textOf(window, HS_Time), QStringLiteral("12.3"));
    QCOMPARE(rulesFocusName(window), QStringLiteral("Command2"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

QTEST_MAIN(ScoreSheetWindowFocusTest)
#include "score_sheet_window_focus_test.moc"
