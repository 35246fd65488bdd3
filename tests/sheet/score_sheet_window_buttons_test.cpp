// The score sheet window's landing field and buttons: the landing dialog asked for, Reset, and Exit.

#include "hang_watchdog.h"
#include "held_click.h"
#include "score_sheet_window.h"
#include "sheet_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace orlo;
using namespace orlo::ctl;

class ScoreSheetWindowButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void landingEntry_data();
    void landingEntry();
    void landingButtonOpensDialog();
    void resetThenCalculate();
    void exitEndsTheProgram_data();
    void exitEndsTheProgram();
};

void ScoreSheetWindowButtonsTest::initTestCase()
{
    QVERIFY2(prepareSheetTests(), "the Tahoma-metric fonts of fonts-wine are installed");
}

void ScoreSheetWindowButtonsTest::landingEntry_data()
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

void ScoreSheetWindowButtonsTest::landingEntry()
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
    QTRY_COMPARE_WITH_TIMEOUT(opened, 1, hangWatchdogMs);
    // Entering the landing field selects nothing: the operator clears it.
    QVERIFY(press(Qt::Key_End));
    QVERIFY(press(Qt::Key_Backspace));
    QVERIFY(type(typed));
    auto *landing = widgetOf<QLineEdit>(window, LandingPts);
    QCOMPARE(landing->text(), typed);

    QVERIFY(mouseOn(window, HS_Watch(0)));
    QTRY_COMPARE_WITH_TIMEOUT(messages.texts(), messageTexts, hangWatchdogMs);
    QVERIFY2(settledAt(window, focusAfter), qPrintable("the focus is in " + focusAfter + ", not " + focusName()));
    // Coming back to the landing field leads the operator to the dialog again.
    QTRY_COMPARE_WITH_TIMEOUT(opened, openings, hangWatchdogMs);
    QCOMPARE(landing->text(), typed);
}

void ScoreSheetWindowButtonsTest::landingButtonOpensDialog()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY2(clickOn(window, Command1), "without a dialog the button does nothing, and no harm");

    int opened = 0;
    window.setLandingDialog([&opened] { ++opened; }, [] {});
    QVERIFY(clickOn(window, Command2));
    QVERIFY(clickOn(window, Command1));
    QTRY_COMPARE_WITH_TIMEOUT(opened, 1, hangWatchdogMs);
    QVERIFY(press(Qt::Key_Space));
    QTRY_COMPARE_WITH_TIMEOUT(opened, 2, hangWatchdogMs);
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('|')));
}

void ScoreSheetWindowButtonsTest::resetThenCalculate()
{
    ScoreSheetWindow window;
    MessageAnswerer messages;
    QVERIFY2(startSheet(window), "the sheet starts");
    QVERIFY(clickOn(window, Class(1)));
    QVERIFY(enterWorkedRuns(window));
    QVERIFY(clickOn(window, Command2));
    QTRY_VERIFY_WITH_TIMEOUT(widgetOf(window, Summary)->isVisible(), hangWatchdogMs);
    QVERIFY2(textOf(window, Score) != QLatin1String("0"), "the flight has a score");

    // Reset counts from a refused engine count too: the message comes up
    // while the button is held, and after OK the sheet is cleared.
    QVERIFY(typeInto(window, Engines(0), QStringLiteral("0")));
    QVERIFY(mouseOn(window, Command3));
    QTRY_COMPARE_WITH_TIMEOUT(messages.texts(), QStringList{badEngineCount}, hangWatchdogMs);
    QVERIFY2(settledAt(window, QStringLiteral("Class_0")), "reset ends with the focus on Class I");
    QVERIFY2(widgetOf<QRadioButton>(window, Class(0))->isChecked(), "reset selects Class I");
    QCOMPARE(window.rules().classIndex(), ClassIndex{0});
    for (Ctl cleared : {HS_Watch(0), HS_Watch(1), LS_Watch(0), LS_Watch(1), HS_Time, HS_MPH, HS_Points, LS_Time,
                        LS_MPH, LS_Points, LandingPts, Score})
        QCOMPARE(textOf(window, cleared), QStringLiteral("0"));
    QCOMPARE(textOf(window, Engines(0)), QStringLiteral("1"));
    QVERIFY2(!widgetOf(window, Summary)->isVisible(), "reset hides the summary");

    QVERIFY(clickOn(window, Command2));
    QTRY_COMPARE_WITH_TIMEOUT(summaryOf(window), (QStringList{"Class I", ".0 High Speed Points", ".0 Low Speed Points",
                                                 ".0 Scale Points", ".0 Landing Points", ".0 Total Score"}), hangWatchdogMs);
    QCOMPARE(textOf(window, Score), QStringLiteral("0.0"));
    QVERIFY2(widgetOf(window, Summary)->isVisible(), "the summary shows");
    QStringList reported; // as the rules read it back for the journal
    for (const std::string &line : window.items(Summary))
        reported << QString::fromStdString(line);
    QCOMPARE(reported, summaryOf(window));
    QCOMPARE(messages.texts(), QStringList{badEngineCount});
}

// Exit ends the program on the first press, also when the field it leaves
// fails its check: the message shows, and after OK the program ends.

void ScoreSheetWindowButtonsTest::exitEndsTheProgram_data()
{
    QTest::addColumn<QString>("landingPoints");
    QTest::addColumn<QStringList>("messageTexts");
    QTest::newRow("from-class-i") << QString() << QStringList{};
    QTest::newRow("from-refused-landing-points") << "97" << QStringList{badLandingPoints};
}

void ScoreSheetWindowButtonsTest::exitEndsTheProgram()
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
        heldClick(exit, exit->rect().center());
    });
    QTimer::singleShot(10000, &window, [] { QCoreApplication::exit(3); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(closed, 1);
    QCOMPARE(messages.texts(), messageTexts);
}

QTEST_MAIN(ScoreSheetWindowButtonsTest)
#include "score_sheet_window_buttons_test.moc"
