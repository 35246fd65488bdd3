#include "headless_sheet.h"
#include "landing_dialog_launcher.h"
#include "landing_dialog_window.h"

#include <QAccessible>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// Grades as the operator sees them; -1 leaves the grade the dialog opened with.
constexpr int asOpened = -1;

QString landingPoints(const HeadlessSheet &sheet)
{
    return QString::fromStdString(sheet.text(LandingPts));
}

QString messagesOf(const HeadlessSheet &sheet)
{
    QStringList shown;
    for (const std::string &message : sheet.messages())
        shown << QString::fromStdString(message);
    return shown.join(QStringLiteral(" | "));
}

int checkedOption(const LandingDialogWindow &dialog)
{
    for (int i = 0; i < 4; ++i) {
        if (dialog.option(i)->isChecked())
            return i;
    }
    return -1;
}

void clickOption(LandingDialogWindow &dialog, int grade)
{
    QRadioButton *option = dialog.option(grade);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

void clickMissedLaps(LandingDialogWindow &dialog, int laps)
{
    QListWidget *list = dialog.missedLaps();
    QListWidgetItem *item = list->item(laps);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// The sheet opened the dialog; wait until it is on screen with its focus.
LandingDialogWindow *openDialog(LandingDialogLauncher &launcher)
{
    launcher.open();
    LandingDialogWindow *dialog = launcher.dialog();
    if (dialog && !QTest::qWaitForWindowActive(dialog))
        return nullptr;
    return dialog;
}

} // namespace

class LandingDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithNormalArrestAndNoLapsMissed();
    void doneWritesPoints_data();
    void doneWritesPoints();
    void lastGradeCounts_data();
    void lastGradeCounts();
    void arrowKeysSelectAndScore_data();
    void arrowKeysSelectAndScore();
    void listWorksFromTheKeyboard_data();
    void listWorksFromTheKeyboard();
    void tabVisitsTheSelectedGradeOnly_data();
    void tabVisitsTheSelectedGradeOnly();
    void secondOpeningChangesNothing();
    void openingRestoresAMinimizedDialog();
    void reopeningAfterDoneStartsAfresh();
    void closeControlWritesNothing_data();
    void closeControlWritesNothing();
    void returnPressesDone_data();
    void returnPressesDone();
    void doneHandsFocusToCalcScore_data();
    void doneHandsFocusToCalcScore();
    void doneWithNoLapSelected();
    void launcherTakesAnOpenDialogWithIt();
    void layout_data();
    void layout();
    void resizingMovesNothing();
    void accessibleNames_data();
    void accessibleNames();
};

void LandingDialogTest::opensWithNormalArrestAndNoLapsMissed()
{
    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");

    QCOMPARE(dialog->windowTitle(), QStringLiteral("Form2"));
    QVERIFY2(!dialog->parentWidget(), "the dialog must not belong to the score sheet");
    QCOMPARE(checkedOption(*dialog), 0);
    QVERIFY2(dialog->option(0)->hasFocus(), "the 100-point grade should hold the focus");
    QCOMPARE(dialog->rules().points(), 100);
    QCOMPARE(dialog->missedLaps()->count(), 21);
    QCOMPARE(dialog->missedLaps()->item(0)->text(), QStringLiteral("0 landings missed"));
    QCOMPARE(dialog->missedLaps()->item(1)->text(), QStringLiteral("1 landings missed"));
    QCOMPARE(dialog->missedLaps()->item(20)->text(), QStringLiteral("20 landings missed"));
    QCOMPARE(dialog->listIndex(), 0);
}

void LandingDialogTest::doneWritesPoints_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("missedLaps");
    QTest::addColumn<QString>("written");

    QTest::newRow("done-at-once") << asOpened << 0 << "100";
    QTest::newRow("normal-arrest-3-missed") << 0 << 3 << "85";
    QTest::newRow("normal-arrest-19-missed") << 0 << 19 << "5";
    QTest::newRow("normal-arrest-20-missed") << 0 << 20 << "0";
    QTest::newRow("other-attitude-no-lap-missed") << 1 << 0 << "50";
    QTest::newRow("other-attitude-9-missed") << 1 << 9 << "5";
    QTest::newRow("wheel-off-deck-4-missed") << 2 << 4 << "5";
    QTest::newRow("wheel-off-deck-5-missed-reaches-zero") << 2 << 5 << "0";
    QTest::newRow("wheel-off-deck-6-missed-stops-at-zero") << 2 << 6 << "0";
    QTest::newRow("no-arrest") << 3 << 0 << "0";
    QTest::newRow("no-arrest-7-missed") << 3 << 7 << "0";
}

void LandingDialogTest::doneWritesPoints()
{
    QFETCH(int, grade);
    QFETCH(int, missedLaps);
    QFETCH(QString, written);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    const QPointer<LandingDialogWindow> watched(dialog);

    if (grade != asOpened)
        clickOption(*dialog, grade);
    if (missedLaps != 0)
        clickMissedLaps(*dialog, missedLaps);
    QCOMPARE(dialog->listIndex(), missedLaps);
    QTest::mouseClick(dialog->doneButton(), Qt::LeftButton);

    QCOMPARE(landingPoints(sheet), written);
    QVERIFY2(!launcher.dialog(), "\"Done\" should close the dialog");
    QTRY_VERIFY2(watched.isNull(), "the closed dialog should be discarded");
}

void LandingDialogTest::lastGradeCounts_data()
{
    QTest::addColumn<QList<int>>("grades");
    QTest::addColumn<QString>("written");

    QTest::newRow("100-then-50") << QList<int>{0, 1} << "50";
    QTest::newRow("no-arrest-then-25") << QList<int>{3, 2} << "25";
    QTest::newRow("back-to-100") << QList<int>{2, 1, 0} << "100";
}

void LandingDialogTest::lastGradeCounts()
{
    QFETCH(QList<int>, grades);
    QFETCH(QString, written);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");

    for (int grade : grades)
        clickOption(*dialog, grade);
    QCOMPARE(checkedOption(*dialog), grades.last());
    QTest::mouseClick(dialog->doneButton(), Qt::LeftButton);

    QCOMPARE(landingPoints(sheet), written);
}

void LandingDialogTest::arrowKeysSelectAndScore_data()
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

void LandingDialogTest::arrowKeysSelectAndScore()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, selected);
    QFETCH(QString, written);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");

    for (int key : keys)
        QTest::keyClick(dialog->focusWidget(), static_cast<Qt::Key>(key));
    QCOMPARE(checkedOption(*dialog), selected);
    QVERIFY2(dialog->option(selected)->hasFocus(), "the focus should move with the selection");
    QTest::mouseClick(dialog->doneButton(), Qt::LeftButton);

    QCOMPARE(landingPoints(sheet), written);
}

void LandingDialogTest::listWorksFromTheKeyboard_data()
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
void LandingDialogTest::listWorksFromTheKeyboard()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, missedLaps);
    QFETCH(QString, written);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");

    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    QVERIFY2(dialog->missedLaps()->hasFocus(), "Tab from the grade should reach the list");
    for (int key : keys)
        QTest::keyClick(dialog->missedLaps(), static_cast<Qt::Key>(key));
    QCOMPARE(dialog->listIndex(), missedLaps);
    QTest::keyClick(dialog->missedLaps(), Qt::Key_Tab);
    QVERIFY2(dialog->doneButton()->hasFocus(), "Tab from the list should reach \"Done\"");
    QTest::keyClick(dialog->doneButton(), Qt::Key_Space);

    QCOMPARE(landingPoints(sheet), written);
}

void LandingDialogTest::tabVisitsTheSelectedGradeOnly_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<QStringList>("stops");

    QTest::newRow("normal-arrest-first") << 0 << QStringList{"List1", "Command1", "Option1_0", "List1"};
    QTest::newRow("wheel-off-deck-first") << 2 << QStringList{"List1", "Command1", "Option1_2", "List1"};
    QTest::newRow("no-arrest-after-done") << 3 << QStringList{"List1", "Command1", "Option1_3", "List1"};
}

// Tab passes over the grades that are not selected: were they stops, reaching
// one would select it and change the points on the way through.
void LandingDialogTest::tabVisitsTheSelectedGradeOnly()
{
    QFETCH(int, grade);
    QFETCH(QStringList, stops);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    clickOption(*dialog, grade);

    QStringList visited;
    for (int i = 0; i < stops.size(); ++i) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        visited << dialog->focusWidget()->objectName();
    }
    QCOMPARE(visited, stops);
    QCOMPARE(checkedOption(*dialog), grade);
    QCOMPARE(dialog->rules().points(), LandingDialog::pointsForOption[grade]);
}

void LandingDialogTest::secondOpeningChangesNothing()
{
    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    clickOption(*dialog, 1);
    clickMissedLaps(*dialog, 4);

    launcher.open();

    QVERIFY2(launcher.dialog() == dialog, "the open dialog should only come forward");
    QCOMPARE(dialog->missedLaps()->count(), 21);
    QCOMPARE(checkedOption(*dialog), 1);
    QCOMPARE(dialog->listIndex(), 4);
    QCOMPARE(dialog->rules().points(), 50);
    QTest::mouseClick(dialog->doneButton(), Qt::LeftButton);
    QCOMPARE(landingPoints(sheet), QStringLiteral("30"));
}

void LandingDialogTest::openingRestoresAMinimizedDialog()
{
    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    dialog->showMinimized();
    QTRY_VERIFY2(dialog->isMinimized(), "the dialog did not minimise");

    launcher.open();

    QVERIFY2(launcher.dialog() == dialog, "the open dialog should only come forward");
    QTRY_VERIFY2(!dialog->isMinimized(), "the dialog should be restored");
}

void LandingDialogTest::reopeningAfterDoneStartsAfresh()
{
    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *first = openDialog(launcher);
    QVERIFY2(first, "the dialog did not open");
    const QPointer<LandingDialogWindow> watched(first);
    clickOption(*first, 2);
    clickMissedLaps(*first, 3);
    QTest::mouseClick(first->doneButton(), Qt::LeftButton);
    QCOMPARE(landingPoints(sheet), QStringLiteral("10"));

    // Asked again at once, before the closed dialog is deleted.
    LandingDialogWindow *second = openDialog(launcher);
    QVERIFY2(second && second != watched, "a new dialog should be built");
    QCOMPARE(checkedOption(*second), 0);
    QCOMPARE(second->rules().points(), 100);
    QCOMPARE(second->missedLaps()->count(), 21);
    QCOMPARE(second->listIndex(), 0);
    QTRY_VERIFY2(watched.isNull(), "the first dialog should be discarded");
    QTest::mouseClick(second->doneButton(), Qt::LeftButton);
    QCOMPARE(landingPoints(sheet), QStringLiteral("100"));
}

// Escape closes the dialog as its own close control does.
void LandingDialogTest::closeControlWritesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close-control") << "close";
    QTest::newRow("escape-on-the-grade") << "escape";
    QTest::newRow("escape-in-the-list") << "escape-in-list";
}

void LandingDialogTest::closeControlWritesNothing()
{
    QFETCH(QString, how);
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(LandingPts, "95");
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    const QPointer<LandingDialogWindow> watched(dialog);
    clickOption(*dialog, 3);

    if (how == QLatin1String("close")) {
        QVERIFY2(dialog->close(), "the dialog should accept its close control");
    } else {
        if (how == QLatin1String("escape-in-list")) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            QVERIFY2(dialog->missedLaps()->hasFocus(), "Tab from the grade should reach the list");
        }
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    }

    QCOMPARE(landingPoints(sheet), QStringLiteral("95"));
    QVERIFY2(sheet.focused() == Class(0), "closing the dialog should leave the sheet's focus alone");
    QVERIFY2(!launcher.dialog(), "the dialog should be closed");
    QTRY_VERIFY2(watched.isNull(), "the closed dialog should be discarded");
    LandingDialogWindow *again = openDialog(launcher);
    QVERIFY2(again, "the dialog did not open again");
    QCOMPARE(checkedOption(*again), 0);
}

// Return presses "Done" wherever the focus is in the dialog.
void LandingDialogTest::returnPressesDone_data()
{
    QTest::addColumn<bool>("inList"); // the key is pressed in the list, two laps down
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("written");

    QTest::newRow("return-on-the-grade") << false << int(Qt::Key_Return) << "50";
    QTest::newRow("return-in-the-list") << true << int(Qt::Key_Return) << "40";
    QTest::newRow("keypad-enter-in-the-list") << true << int(Qt::Key_Enter) << "40";
}

void LandingDialogTest::returnPressesDone()
{
    QFETCH(bool, inList);
    QFETCH(int, key);
    QFETCH(QString, written);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Down); // the 50-point grade
    if (inList) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        QVERIFY2(dialog->missedLaps()->hasFocus(), "Tab from the grade should reach the list");
        QTest::keyClick(dialog->missedLaps(), Qt::Key_Down);
        QTest::keyClick(dialog->missedLaps(), Qt::Key_Down);
    }

    QTest::keyClick(dialog->focusWidget(), static_cast<Qt::Key>(key));

    QCOMPARE(landingPoints(sheet), written);
    QVERIFY2(!launcher.dialog(), "\"Done\" closes the dialog");
    QVERIFY2(sheet.focused() == Command2, "the sheet's focus should be on \"Calc. Score\"");
    QVERIFY2(sheet.messages().empty(), qPrintable(messagesOf(sheet)));
}

void LandingDialogTest::doneHandsFocusToCalcScore_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");

    QTest::newRow("field-as-it-was") << QString() << "100";
    // "Done" writes before it moves the focus, so the field's check sees the
    // new points, never what the operator had typed.
    QTest::newRow("typed-97-replaced-before-the-check") << "97" << "100";
}

void LandingDialogTest::doneHandsFocusToCalcScore()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    sheet.click(LandingPts);
    QVERIFY2(sheet.dialogOpenings() == 1, "clicking into the landing field should ask for the dialog");
    if (!typed.isEmpty())
        sheet.setText(LandingPts, typed.toStdString());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");

    QTest::mouseClick(dialog->doneButton(), Qt::LeftButton);

    QCOMPARE(landingPoints(sheet), written);
    QVERIFY2(sheet.focused() == Command2, "the sheet's focus should be on \"Calc. Score\"");
    QVERIFY2(sheet.rules().focus() == Command2, "the sheet's rules should see the focus on \"Calc. Score\"");
    QVERIFY2(sheet.messages().empty(),
             qPrintable(QStringLiteral("the landing check should pass, got: ") + messagesOf(sheet)));
    QCOMPARE(sheet.dialogOpenings(), 1);
}

void LandingDialogTest::doneWithNoLapSelected()
{
    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    clickOption(*dialog, 1);
    clickMissedLaps(*dialog, 2);
    // Ctrl+click takes the selection off the list altogether.
    QListWidget *list = dialog->missedLaps();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(2)).center());
    QCOMPARE(dialog->listIndex(), -1);

    QTest::mouseClick(dialog->doneButton(), Qt::LeftButton);

    QCOMPARE(landingPoints(sheet), QStringLiteral("50"));
}

void LandingDialogTest::launcherTakesAnOpenDialogWithIt()
{
    HeadlessSheet sheet;
    sheet.start();
    QPointer<LandingDialogWindow> watched;
    {
        LandingDialogLauncher launcher(sheet, sheet.rules());
        watched = openDialog(launcher);
        QVERIFY2(watched, "the dialog did not open");
    }
    QVERIFY2(watched.isNull(), "an open dialog should not outlive its launcher");
}

void LandingDialogTest::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("Option1_0") << "Option1_0" << QRect(12, 12, 585, 21);
    QTest::newRow("Option1_1") << "Option1_1" << QRect(12, 33, 585, 21);
    QTest::newRow("Option1_2") << "Option1_2" << QRect(12, 55, 585, 21);
    QTest::newRow("Option1_3") << "Option1_3" << QRect(12, 76, 585, 21);
    QTest::newRow("Label1") << "Label1" << QRect(12, 128, 161, 17);
    QTest::newRow("List1") << "List1" << QRect(12, 144, 589, 100);
    QTest::newRow("Command1") << "Command1" << QRect(532, 248, 73, 33);
}

void LandingDialogTest::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogWindow dialog(sheet, sheet.rules());
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&dialog), "the dialog was not shown");

    QCOMPARE(dialog.size(), QSize(654, 294));
    auto *control = dialog.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name + QStringLiteral(" is missing")));
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->font().pixelSize(), 13);
    QVERIFY2(control->font().bold(), "every control is in bold");
}

void LandingDialogTest::resizingMovesNothing()
{
    HeadlessSheet sheet;
    sheet.start();
    LandingDialogWindow dialog(sheet, sheet.rules());
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&dialog), "the dialog was not shown");
    const QRect before = dialog.doneButton()->geometry();

    dialog.resize(900, 500);
    QTRY_COMPARE(dialog.size(), QSize(900, 500));

    QCOMPARE(dialog.doneButton()->geometry(), before);
    QCOMPARE(dialog.missedLaps()->geometry(), QRect(12, 144, 589, 100));
}

void LandingDialogTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");

    QTest::newRow("Option1_0") << "Option1_0"
                               << "Arrested landing, with plane in normal 3 point attitude = 100 Points.";
    QTest::newRow("Option1_1") << "Option1_1"
                               << "Arrested landing, with plane in other than normal 3 point attitude = 50 Points.";
    QTest::newRow("Option1_2")
        << "Option1_2" << "Arrested landing, with plane coming to rest or 1 with wheel off the deck = 25 Points.";
    QTest::newRow("Option1_3") << "Option1_3" << "No arrested landing";
    QTest::newRow("List1") << "List1" << "Missed landing laps";
    QTest::newRow("Command1") << "Command1" << "Done";
}

void LandingDialogTest::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);

    HeadlessSheet sheet;
    sheet.start();
    LandingDialogWindow dialog(sheet, sheet.rules());
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *control = dialog.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name + QStringLiteral(" is missing")));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY2(accessible, "no accessibility interface");
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
}

QTEST_MAIN(LandingDialogTest)
#include "landing_dialog_test.moc"
