#include "conversions.h"
#include "event_classes.h"
#include "score_sheet_window.h"
#include "sheet_driver.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace orlo;
using namespace orlo::ctl;

class ScoreSheetWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tabWalk_data();
    void tabWalk();
    void selectAllOnEntry_data();
    void selectAllOnEntry();
    void readOnlyFieldsTakeClicksNotTyping();
    void longNumberShowsItsLeadingDigits();
    void workedExampleTyped();
    void classChangeWithBothTimes_data();
    void classChangeWithBothTimes();
    void classByArrowKeys();
    void badReading_data();
    void badReading();
    void engineCount_data();
    void engineCount();
    void landingEntry_data();
    void landingEntry();
    void landingButtonOpensDialog();
    void otherWindowIsNoFocusMove();
    void clickIntoInactiveSheetCounts();
    void resetThenCalculate();
    void exitEndsTheProgram_data();
    void exitEndsTheProgram();
};

void ScoreSheetWindowTest::initTestCase()
{
    qInfo("window system: %s", qPrintable(QGuiApplication::platformName()));
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    QVERIFY2(registerTahoma(), "the Tahoma-metric fonts of fonts-wine are installed");
}

void ScoreSheetWindowTest::tabWalk_data()
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

void ScoreSheetWindowTest::tabWalk()
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
        QTRY_COMPARE(window.rules().classIndex(), ClassIndex(index));
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
        QVERIFY2(QTest::qWaitFor([&] { return !focusName().isEmpty() && focusName() == rulesFocusName(window); }),
                 qPrintable("the rules follow the focus to " + focusName()));
        walked << focusName();
    }
    QCOMPARE(walked, walk);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowTest::selectAllOnEntry_data()
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

void ScoreSheetWindowTest::selectAllOnEntry()
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
    QTRY_COMPARE(field->text(), typed);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowTest::readOnlyFieldsTakeClicksNotTyping()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(typeInto(window, HS_Watch(0), QStringLiteral("12")));
    // Clicking into the average time leaves the watch field: its run is computed.
    QVERIFY(clickOn(window, HS_Time));
    QTRY_COMPARE(textOf(window, HS_Time), QStringLiteral("12"));
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

void ScoreSheetWindowTest::longNumberShowsItsLeadingDigits()
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

void ScoreSheetWindowTest::workedExampleTyped()
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

void ScoreSheetWindowTest::classChangeWithBothTimes_data()
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

void ScoreSheetWindowTest::classChangeWithBothTimes()
{
    QFETCH(int, index);
    QFETCH(bool, scaleShown);
    QFETCH(QString, upperScale);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    // Scale 100 picked under Class I: a class without scale points takes it away.
    QVERIFY(clickOn(window, ScalePts(1)));
    QTRY_VERIFY(widgetOf<QRadioButton>(window, ScalePts(1))->isChecked());
    QVERIFY(enterWorkedRuns(window));

    QVERIFY(clickOn(window, Class(index)));
    const auto klass = static_cast<ClassIndex>(index);
    QTRY_COMPARE(window.rules().classIndex(), klass);
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

void ScoreSheetWindowTest::classByArrowKeys()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(press(Qt::Key_Right));
    QTRY_COMPARE(window.rules().classIndex(), ClassIndex{1});
    QVERIFY(settledAt(window, QStringLiteral("Class_1")));
    QVERIFY(press(Qt::Key_Right));
    QTRY_COMPARE(window.rules().classIndex(), ClassIndex{2});
    QTRY_COMPARE(widgetOf<QRadioButton>(window, ScalePts(1))->text(), QStringLiteral("10"));
    QVERIFY2(widgetOf<QRadioButton>(window, Class(2))->isChecked(), "Profile is selected");
    // Tab from the group goes on from the selected option.
    QVERIFY(tabOn(window));
    QCOMPARE(focusName(), QStringLiteral("HS_Watch_0"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowTest::badReading_data()
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

void ScoreSheetWindowTest::badReading()
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
    QTRY_COMPARE(messages.texts(), QStringList{message});
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

void ScoreSheetWindowTest::engineCount_data()
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

void ScoreSheetWindowTest::engineCount()
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
    QTRY_COMPARE(messages.texts(), messageTexts);
    if (calculate)
        QTRY_COMPARE(textOf(window, Score), QStringLiteral("20.0"));
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

void ScoreSheetWindowTest::landingEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messageTexts");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<int>("openings");

    QTest::newRow("ninety-five-passes") << "95" << QStringList{} << "HS_Watch_0" << 1;
    QTest::newRow("ninety-seven-refused") << "97" << QStringList{badLandingPoints} << "LandingPts" << 2;
    QTest::newRow("leading-zero-refused") << "05" << QStringList{badLandingPoints} << "LandingPts" << 2;
    QTest::newRow("over-a-hundred-refused") << "105" << QStringList{badLandingPoints} << "LandingPts" << 2;
}

void ScoreSheetWindowTest::landingEntry()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, messageTexts);
    QFETCH(QString, focusAfter);
    QFETCH(int, openings);

    ScoreSheetWindow window;
    MessageAnswerer messages;
    int opened = 0;
    window.setLandingDialog([&opened] { ++opened; }, [] {});
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(clickOn(window, LandingPts));
    QTRY_COMPARE(opened, 1);
    // Entering the landing field selects nothing: the operator clears it.
    QVERIFY(press(Qt::Key_End));
    QVERIFY(press(Qt::Key_Backspace));
    QVERIFY(type(typed));
    auto *landing = widgetOf<QLineEdit>(window, LandingPts);
    QCOMPARE(landing->text(), typed);

    QVERIFY(mouseOn(window, HS_Watch(0)));
    QTRY_COMPARE(messages.texts(), messageTexts);
    QVERIFY2(settledAt(window, focusAfter), qPrintable("the focus is in " + focusAfter + ", not " + focusName()));
    // Coming back to the landing field leads the operator to the dialog again.
    QTRY_COMPARE(opened, openings);
    QCOMPARE(landing->text(), typed);
}

void ScoreSheetWindowTest::landingButtonOpensDialog()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY2(clickOn(window, Command1), "without a dialog the button does nothing, and no harm");

    int opened = 0;
    window.setLandingDialog([&opened] { ++opened; }, [] {});
    QVERIFY(clickOn(window, Command2));
    QVERIFY(clickOn(window, Command1));
    QTRY_COMPARE(opened, 1);
    QVERIFY(press(Qt::Key_Space));
    QTRY_COMPARE(opened, 2);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowTest::otherWindowIsNoFocusMove()
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
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::qWait(100);
    QVERIFY2(messages.texts().isEmpty(), "switching windows does not leave the field");
    QCOMPARE(focusName(), QStringLiteral("HS_Watch_0"));

    QVERIFY(press(Qt::Key_Tab));
    QTRY_COMPARE(messages.texts(), QStringList{negativeHighSpeed});
    QVERIFY(settledAt(window, QStringLiteral("HS_Watch_0")));
}

void ScoreSheetWindowTest::clickIntoInactiveSheetCounts()
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
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QWidget *calculate = widgetOf(window, Command2);
    QTest::mouseClick(calculate, Qt::LeftButton, {}, calculate->rect().center());

    QTRY_VERIFY2(widgetOf(window, Summary)->isVisible(), "the press counted");
    QCOMPARE(textOf(window, HS_Time), QStringLiteral("12.3"));
    QCOMPARE(rulesFocusName(window), QStringLiteral("Command2"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowTest::resetThenCalculate()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(clickOn(window, Class(1)));
    QVERIFY(enterWorkedRuns(window));
    QVERIFY(clickOn(window, Command2));
    QTRY_VERIFY(widgetOf(window, Summary)->isVisible());
    QVERIFY2(textOf(window, Score) != QLatin1String("0"), "the flight has a score");

    QVERIFY(mouseOn(window, Command3));
    QVERIFY2(settledAt(window, QStringLiteral("Class_0")), "reset ends with the focus on Class I");
    QVERIFY2(widgetOf<QRadioButton>(window, Class(0))->isChecked(), "reset selects Class I");
    QCOMPARE(window.rules().classIndex(), ClassIndex{0});
    for (Ctl cleared : {HS_Watch(0), HS_Watch(1), LS_Watch(0), LS_Watch(1), HS_Time, HS_MPH, HS_Points, LS_Time,
                        LS_MPH, LS_Points, LandingPts, Score})
        QCOMPARE(textOf(window, cleared), QStringLiteral("0"));
    QVERIFY2(!widgetOf(window, Summary)->isVisible(), "reset hides the summary");

    QVERIFY(clickOn(window, Command2));
    QTRY_COMPARE(summaryOf(window), (QStringList{"Class I", ".0 High Speed Points", ".0 Low Speed Points",
                                                 ".0 Scale Points", ".0 Landing Points", ".0 Total Score"}));
    QCOMPARE(textOf(window, Score), QStringLiteral("0.0"));
    QVERIFY2(widgetOf(window, Summary)->isVisible(), "the summary shows");
    QStringList reported; // as the rules read it back for the journal
    for (const std::string &line : window.items(Summary))
        reported << QString::fromStdString(line);
    QCOMPARE(reported, summaryOf(window));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

// Exit ends the program on the first press, also when the field it leaves
// fails its check: the message shows, and after OK the program ends.

void ScoreSheetWindowTest::exitEndsTheProgram_data()
{
    QTest::addColumn<QString>("landingPoints");
    QTest::addColumn<QStringList>("messageTexts");
    QTest::newRow("from-class-i") << QString() << QStringList{};
    QTest::newRow("from-refused-landing-points") << "97" << QStringList{badLandingPoints};
}

void ScoreSheetWindowTest::exitEndsTheProgram()
{
    QFETCH(QString, landingPoints);
    QFETCH(QStringList, messageTexts);
    ScoreSheetWindow window;
    MessageAnswerer messages;
    int closed = 0;
    window.setLandingDialog([] {}, [&closed] { ++closed; });
    QVERIFY2(startSheet(window), "the sheet starts");
    if (!landingPoints.isEmpty()) {
        window.setText(LandingPts, landingPoints.toStdString());
        QVERIFY(clickOn(window, LandingPts));
    }

    // The program's own event loop, ended by the Exit button alone.
    QTimer::singleShot(0, &window, [&window] {
        QWidget *exit = widgetOf(window, Command4);
        QTest::mouseClick(exit, Qt::LeftButton, {}, exit->rect().center());
    });
    QTimer::singleShot(10000, &window, [] { QCoreApplication::exit(3); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(closed, 1);
    QCOMPARE(messages.texts(), messageTexts);
}

QTEST_MAIN(ScoreSheetWindowTest)
#include "score_sheet_window_test.moc"
