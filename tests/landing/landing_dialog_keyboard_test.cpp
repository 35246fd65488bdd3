// The landing dialog worked from the keyboard: arrow keys, Tab, Space, Return and Escape.

#include "landing_driver.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

class LandingDialogKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void arrowKeysSelectAndScore_data();
    void arrowKeysSelectAndScore();
    void listWorksFromTheKeyboard_data();
    void listWorksFromTheKeyboard();
    void tabVisitsTheSelectedGradeOnly_data();
    void tabVisitsTheSelectedGradeOnly();
    void onlyFocusedDoneTakesReturn_data();
    void onlyFocusedDoneTakesReturn();
};

void LandingDialogKeyboardTest::arrowKeysSelectAndScore_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("written");

    QTest::newRow("down-to-50") << QList<int>{Qt::Key_Down} << 1 << "50";
    QTest::newRow("down-to-25") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 2 << "25";
    QTest::newRow("down-to-no-arrest") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 3 << "0";
    QTest::newRow("down-and-back-up") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << 1 << "50";
    QTest::newRow("right-moves-like-down") << QList<int>{Qt::Key_Right} << 1 << "50";
    QTest::newRow("left-moves-like-up") << QList<int>{Qt::Key_Down, Qt::Key_Left} << 0 << "100";
    QTest::newRow("up-wraps-to-no-arrest") << QList<int>{Qt::Key_Up} << 3 << "0";
    QTest::newRow("down-wraps-to-100")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 0 << "100";
}

void LandingDialogKeyboardTest::arrowKeysSelectAndScore()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, selected);
    QFETCH(QString, written);

    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");

    for (int key : keys)
        QTest::keyClick(opened.dialog->focusWidget(), static_cast<Qt::Key>(key));
    QCOMPARE(checkedOption(*opened.dialog), selected);
    QVERIFY2(gradeOption(*opened.dialog, selected)->hasFocus(), "the focus should move with the selection");
    QTest::mouseClick(doneButton(*opened.dialog), Qt::LeftButton);

    QCOMPARE(landingPoints(opened.sheet), written);
}

void LandingDialogKeyboardTest::listWorksFromTheKeyboard_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("missedLaps");
    QTest::addColumn<QString>("written");

    QTest::newRow("down-3-times") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 3 << "85";
    QTest::newRow("end-is-20-missed") << QList<int>{Qt::Key_End} << 20 << "0";
    QTest::newRow("end-then-up") << QList<int>{Qt::Key_End, Qt::Key_Up} << 19 << "5";
    QTest::newRow("up-stays-at-none") << QList<int>{Qt::Key_Up} << 0 << "100";
}

// Tab from the grade to the list, arrow keys there, Tab to "Done", Space.
void LandingDialogKeyboardTest::listWorksFromTheKeyboard()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, missedLaps);
    QFETCH(QString, written);

    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");

    QTest::keyClick(opened.dialog->focusWidget(), Qt::Key_Tab);
    QVERIFY2(missedLapsList(*opened.dialog)->hasFocus(), "Tab from the grade should reach the list");
    for (int key : keys)
        QTest::keyClick(missedLapsList(*opened.dialog), static_cast<Qt::Key>(key));
    QCOMPARE(opened.dialog->listIndex(), missedLaps);
    QTest::keyClick(missedLapsList(*opened.dialog), Qt::Key_Tab);
    QVERIFY2(doneButton(*opened.dialog)->hasFocus(), "Tab from the list should reach \"Done\"");
    QTest::keyClick(doneButton(*opened.dialog), Qt::Key_Space);

    QCOMPARE(landingPoints(opened.sheet), written);
}

void LandingDialogKeyboardTest::tabVisitsTheSelectedGradeOnly_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<QStringList>("stops");

    QTest::newRow("normal-arrest-first") << 0 << QStringList{"List1", "Command1", "Option1_0", "List1"};
    QTest::newRow("wheel-off-deck-first") << 2 << QStringList{"List1", "Command1", "Option1_2", "List1"};
    QTest::newRow("no-arrest-after-done") << 3 << QStringList{"List1", "Command1", "Option1_3", "List1"};
}

// Tab passes over the grades that are not selected: were they stops, reaching
// one would select it and change the points on the way through.
void LandingDialogKeyboardTest::tabVisitsTheSelectedGradeOnly()
{
    QFETCH(int, grade);
    QFETCH(QStringList, stops);

    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");
    clickOption(*opened.dialog, grade);

    QStringList visited;
    for (int i = 0; i < stops.size(); ++i) {
        QTest::keyClick(opened.dialog->focusWidget(), Qt::Key_Tab);
        visited << opened.dialog->focusWidget()->objectName();
    }
    QCOMPARE(visited, stops);
    QCOMPARE(checkedOption(*opened.dialog), grade);
    QCOMPARE(opened.dialog->rules().points(), LandingDialog::pointsForOption[grade]);
}

// "Done" is neither the default nor the cancel button: Return and Escape do
// nothing on a grade or in the list, and Return or Space on a focused "Done"
// press it.
void LandingDialogKeyboardTest::onlyFocusedDoneTakesReturn_data()
{
    QTest::addColumn<QString>("focusOn"); // "grade", or "list" and "done" with two laps missed
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("written"); // empty: nothing pressed, the dialog stays open

    QTest::newRow("return-on-the-grade") << "grade" << int(Qt::Key_Return) << "";
    QTest::newRow("escape-on-the-grade") << "grade" << int(Qt::Key_Escape) << "";
    QTest::newRow("return-in-the-list") << "list" << int(Qt::Key_Return) << "";
    QTest::newRow("keypad-enter-in-the-list") << "list" << int(Qt::Key_Enter) << "";
    QTest::newRow("escape-in-the-list") << "list" << int(Qt::Key_Escape) << "";
    QTest::newRow("return-on-done") << "done" << int(Qt::Key_Return) << "40";
    QTest::newRow("keypad-enter-on-done") << "done" << int(Qt::Key_Enter) << "40";
    QTest::newRow("space-on-done") << "done" << int(Qt::Key_Space) << "40";
}

void LandingDialogKeyboardTest::onlyFocusedDoneTakesReturn()
{
    QFETCH(QString, focusOn);
    QFETCH(int, key);
    QFETCH(QString, written);

    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");
    const QString before = landingPoints(opened.sheet);
    QTest::keyClick(opened.dialog->focusWidget(), Qt::Key_Down); // the 50-point grade
    if (focusOn != QLatin1String("grade")) {
        QTest::keyClick(opened.dialog->focusWidget(), Qt::Key_Tab);
        QVERIFY2(missedLapsList(*opened.dialog)->hasFocus(), "Tab from the grade should reach the list");
        QTest::keyClick(missedLapsList(*opened.dialog), Qt::Key_Down);
        QTest::keyClick(missedLapsList(*opened.dialog), Qt::Key_Down);
    }
    if (focusOn == QLatin1String("done")) {
        QTest::keyClick(missedLapsList(*opened.dialog), Qt::Key_Tab);
        QVERIFY2(doneButton(*opened.dialog)->hasFocus(), "Tab from the list should reach \"Done\"");
    }

    QTest::keyClick(opened.dialog->focusWidget(), static_cast<Qt::Key>(key));

    if (written.isEmpty()) {
        QVERIFY2(opened.launcher.dialog() && opened.dialog->isVisible(), "the key should leave the dialog open");
        QCOMPARE(landingPoints(opened.sheet), before);
        return;
    }
    QCOMPARE(landingPoints(opened.sheet), written);
    QVERIFY2(!opened.launcher.dialog(), "\"Done\" closes the dialog");
    QVERIFY2(opened.sheet.focused() == Command2, "the sheet's focus should be on \"Calc. Score\"");
    QVERIFY2(opened.sheet.messages().empty(), qPrintable(messagesOf(opened.sheet)));
}

QTEST_MAIN(LandingDialogKeyboardTest)
#include "landing_dialog_keyboard_test.moc"
