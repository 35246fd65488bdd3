#include "caption_fit.h"
#include "dark_desktop.h"
#include "hang_watchdog.h"
#include "held_click.h"
#include "landing_driver.h"
#include "wired_program.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// The program, with the operator's clicks on the sheet and the dialog they open.
struct Program : WiredProgram {
    bool click(Ctl name)
    {
        QWidget *target = control(name);
        if (!target)
            return false;
        heldClick(target, target->rect().center());
        return QTest::qWaitFor([&] { return sheet.rules().focus() == name; }, hangWatchdogMs);
    }

    // The dialog the sheet asked for, on screen and active.
    LandingDialogWindow *dialog() const
    {
        if (!QTest::qWaitFor([this] { return landing.dialog() != nullptr; }, hangWatchdogMs))
            return nullptr;
        return QTest::qWaitForWindowActive(landing.dialog(), hangWatchdogMs) ? landing.dialog() : nullptr;
    }
};

} // namespace

class LandingWithSheetTest : public QObject {
    Q_OBJECT

private slots:
    void captionsFit();
    void landingFieldOpensAndDoneHandsOverTheFocus();
    void buttonBringsTheOpenDialogForward();
    void exitClosesTheDialog();
    void sheetClosedUnderTheDialog();
    void sheetDeletedUnderTheDialog();
};

void LandingWithSheetTest::captionsFit()
{
    const DarkDesktop dark;
    HeadlessSheet sheet;
    LandingDialogWindow dialog(sheet);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    const QStringList cutOff = captionsCutOff(dialog);
    QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff.join(QStringLiteral("; "))));
    // The dialog keeps the colours it was laid out in, on a dark desktop too.
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(239, 239, 239));
    QCOMPARE(dialog.findChild<QListWidget *>(QStringLiteral("List1"))->palette().color(QPalette::Base),
             QColor(Qt::white));
}

void LandingWithSheetTest::landingFieldOpensAndDoneHandsOverTheFocus()
{
    MessageAnswerer messages;
    Program program;
    QVERIFY2(program.start(), "the score sheet did not start");

    QVERIFY2(program.click(LandingPts), "the landing field did not take the focus");
    LandingDialogWindow *dialog = program.dialog();
    QVERIFY2(dialog, "the landing field did not open the dialog");
    const QPointer<LandingDialogWindow> watched(dialog);
    QVERIFY2(gradeOption(*dialog, 0)->isChecked(), "the dialog should open on the 100-point arrest");
    clickOption(*dialog, 1);
    clickMissedLaps(*dialog, 3);
    QTest::mouseClick(doneButton(*dialog), Qt::LeftButton);

    QCOMPARE(program.text(LandingPts), QStringLiteral("35"));
    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "the dialog should be discarded", hangWatchdogMs);
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.isActiveWindow(), "the sheet should be the active window again", hangWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), program.control(Command2), hangWatchdogMs);
    QVERIFY2(program.sheet.rules().focus() == Command2, "the sheet's rules should see \"Calc. Score\" focused");
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join(QStringLiteral(" | "))));

    // The keyboard is on "Calc. Score": Space scores the flight.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(program.text(Score), QStringLiteral("35.0"), hangWatchdogMs);
}

void LandingWithSheetTest::buttonBringsTheOpenDialogForward()
{
    Program program;
    QVERIFY2(program.start(), "the score sheet did not start");
    QVERIFY2(program.click(Command1), "\"Landing Points\" did not take the focus");
    LandingDialogWindow *dialog = program.dialog();
    QVERIFY2(dialog, "\"Landing Points\" did not open the dialog");
    clickOption(*dialog, 2);
    clickMissedLaps(*dialog, 1);

    // Back to the sheet, then ask again from the landing field.
    program.sheet.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs), "the sheet did not come back");
    QVERIFY2(program.click(LandingPts), "the landing field did not take the focus");

    QTRY_VERIFY2_WITH_TIMEOUT(dialog->isActiveWindow(), "the open dialog should come forward", hangWatchdogMs);
    QVERIFY2(program.landing.dialog() == dialog, "no second dialog should be built");
    QVERIFY2(gradeOption(*dialog, 2)->isChecked(), "the grade chosen should stay");
    QCOMPARE(dialog->listIndex(), 1);
    QCOMPARE(dialog->rules().points(), 25);
}

void LandingWithSheetTest::exitClosesTheDialog()
{
    Program program;
    QVERIFY2(program.start(), "the score sheet did not start");
    QVERIFY2(program.click(Command1), "\"Landing Points\" did not take the focus");
    const QPointer<LandingDialogWindow> watched(program.dialog());
    QVERIFY2(watched, "\"Landing Points\" did not open the dialog");

    program.sheet.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs), "the sheet did not come back");
    QVERIFY2(program.click(Command4), "\"Exit\" did not take the focus");

    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "\"Exit\" should close and discard the dialog", hangWatchdogMs);
    QCOMPARE(program.text(LandingPts), QStringLiteral("0"));
}

// The operator closed the sheet with its own control and graded the landing
// anyway: "Done" must not move the focus in the closed sheet, where a watch
// field's check would raise a message over nothing.
void LandingWithSheetTest::sheetClosedUnderTheDialog()
{
    MessageAnswerer messages;
    Program program;
    QVERIFY2(program.start(), "the score sheet did not start");
    QVERIFY2(program.click(Command1), "\"Landing Points\" did not take the focus");
    LandingDialogWindow *dialog = program.dialog();
    QVERIFY2(dialog, "\"Landing Points\" did not open the dialog");
    const QPointer<LandingDialogWindow> watched(dialog);
    program.sheet.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs), "the sheet did not come back");
    QVERIFY2(program.click(HS_Watch(1)), "the watch field did not take the focus"); // no reading yet

    QVERIFY2(program.sheet.close(), "the sheet should accept its close control");
    QVERIFY2(!program.sheet.isVisible(), "the sheet should be closed");
    QVERIFY2(dialog->isVisible(), "the dialog should stay open");
    QTest::mouseClick(doneButton(*dialog), Qt::LeftButton);

    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "the dialog should be discarded", hangWatchdogMs);
    QCOMPARE(program.text(LandingPts), QStringLiteral("0"));
    QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join(QStringLiteral(" | "))));
    QVERIFY2(program.sheet.rules().focus() == HS_Watch(1), "the closed sheet's focus should stay where it was");
}

// A sheet that goes while the dialog is open, once its launcher is told,
// is not reached by "Done".
void LandingWithSheetTest::sheetDeletedUnderTheDialog()
{
    auto sheet = std::make_unique<ScoreSheetWindow>();
    LandingDialogLauncher landing(*sheet);
    QObject::connect(sheet.get(), &QObject::destroyed, [&landing] { landing.sheetClosed(); });
    landing.open();
    const QPointer<LandingDialogWindow> dialog(landing.dialog());
    QVERIFY2(dialog, "the dialog did not open");

    sheet.reset();
    QTest::mouseClick(doneButton(*dialog), Qt::LeftButton);

    QTRY_VERIFY2_WITH_TIMEOUT(dialog.isNull(), "the dialog should close and be discarded", hangWatchdogMs);
}

QTEST_MAIN(LandingWithSheetTest)
#include "landing_with_sheet_test.moc"
