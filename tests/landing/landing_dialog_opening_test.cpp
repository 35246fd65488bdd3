// The landing dialog opened twice, restored, reopened, and closed without "Done".

#include "hang_watchdog.h"
#include "landing_driver.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

class LandingDialogOpeningTest : public QObject {
    Q_OBJECT

private slots:
    void secondOpeningChangesNothing();
    void openingRestoresAMinimizedDialog();
    void reopeningAfterDoneStartsAfresh();
    void closeControlWritesNothing();
    void launcherTakesAnOpenDialogWithIt();
};

void LandingDialogOpeningTest::secondOpeningChangesNothing()
{
    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");
    clickOption(*opened.dialog, 1);
    clickMissedLaps(*opened.dialog, 4);

    opened.launcher.open();

    QVERIFY2(opened.launcher.dialog() == opened.dialog, "the open dialog should only come forward");
    QCOMPARE(missedLapsList(*opened.dialog)->count(), 21);
    QCOMPARE(checkedOption(*opened.dialog), 1);
    QCOMPARE(opened.dialog->listIndex(), 4);
    QCOMPARE(opened.dialog->rules().points(), 50);
    QTest::mouseClick(doneButton(*opened.dialog), Qt::LeftButton);
    QCOMPARE(landingPoints(opened.sheet), QStringLiteral("30"));
}

void LandingDialogOpeningTest::openingRestoresAMinimizedDialog()
{
    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");
    opened.dialog->showMinimized();
    QTRY_VERIFY2_WITH_TIMEOUT(opened.dialog->isMinimized(), "the dialog did not minimise", hangWatchdogMs);

    opened.launcher.open();

    QVERIFY2(opened.launcher.dialog() == opened.dialog, "the open dialog should only come forward");
    QTRY_VERIFY2_WITH_TIMEOUT(!opened.dialog->isMinimized(), "the dialog should be restored", hangWatchdogMs);
}

void LandingDialogOpeningTest::reopeningAfterDoneStartsAfresh()
{
    OpenedDialog opened;
    LandingDialogWindow *first = opened.dialog;
    QVERIFY2(first, "the dialog did not open");
    const QPointer<LandingDialogWindow> watched(first);
    clickOption(*first, 2);
    clickMissedLaps(*first, 3);
    QTest::mouseClick(doneButton(*first), Qt::LeftButton);
    QCOMPARE(landingPoints(opened.sheet), QStringLiteral("10"));

    // Asked again at once, before the closed dialog is deleted.
    LandingDialogWindow *second = openDialog(opened.launcher);
    QVERIFY2(second && second != watched, "a new dialog should be built");
    QCOMPARE(checkedOption(*second), 0);
    QCOMPARE(second->rules().points(), 100);
    QCOMPARE(missedLapsList(*second)->count(), 21);
    QCOMPARE(second->listIndex(), 0);
    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "the first dialog should be discarded", hangWatchdogMs);
    QTest::mouseClick(doneButton(*second), Qt::LeftButton);
    QCOMPARE(landingPoints(opened.sheet), QStringLiteral("100"));
}

// The dialog's own close control writes nothing into the sheet.
void LandingDialogOpeningTest::closeControlWritesNothing()
{
    SheetWithLauncher beside;
    beside.sheet.setText(LandingPts, "95");
    LandingDialogWindow *dialog = openDialog(beside.launcher);
    QVERIFY2(dialog, "the dialog did not open");
    const QPointer<LandingDialogWindow> watched(dialog);
    clickOption(*dialog, 3);

    QVERIFY2(dialog->close(), "the dialog should accept its close control");

    QCOMPARE(landingPoints(beside.sheet), QStringLiteral("95"));
    QVERIFY2(beside.sheet.focused() == Class(0), "closing the dialog should leave the sheet's focus alone");
    QVERIFY2(!beside.launcher.dialog(), "the dialog should be closed");
    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "the closed dialog should be discarded", hangWatchdogMs);
    LandingDialogWindow *again = openDialog(beside.launcher);
    QVERIFY2(again, "the dialog did not open again");
    QCOMPARE(checkedOption(*again), 0);
}

void LandingDialogOpeningTest::launcherTakesAnOpenDialogWithIt()
{
    HeadlessSheet sheet;
    sheet.start();
    QPointer<LandingDialogWindow> watched;
    {
        LandingDialogLauncher launcher(sheet);
        watched = openDialog(launcher);
        QVERIFY2(watched, "the dialog did not open");
    }
    QVERIFY2(watched.isNull(), "an open dialog should not outlive its launcher");
}

QTEST_MAIN(LandingDialogOpeningTest)
#include "landing_dialog_opening_test.moc"
