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
    void closeControlWritesNothing_data();
    void closeControlWritesNothing();
    void launcherTakesAnOpenDialogWithIt();
};

void LandingDialogOpeningTest::secondOpeningChangesNothing()
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

void LandingDialogOpeningTest::openingRestoresAMinimizedDialog()
{
    HeadlessSheet sheet;
    sheet.start();
    LandingDialogLauncher launcher(sheet, sheet.rules());
    LandingDialogWindow *dialog = openDialog(launcher);
    QVERIFY2(dialog, "the dialog did not open");
    dialog->showMinimized();
    QTRY_VERIFY2_WITH_TIMEOUT(dialog->isMinimized(), "the dialog did not minimise", hangWatchdogMs);

    launcher.open();

    QVERIFY2(launcher.dialog() == dialog, "the open dialog should only come forward");
    QTRY_VERIFY2_WITH_TIMEOUT(!dialog->isMinimized(), "the dialog should be restored", hangWatchdogMs);
}

void LandingDialogOpeningTest::reopeningAfterDoneStartsAfresh()
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
    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "the first dialog should be discarded", hangWatchdogMs);
    QTest::mouseClick(second->doneButton(), Qt::LeftButton);
    QCOMPARE(landingPoints(sheet), QStringLiteral("100"));
}

// Escape closes the dialog as its own close control does.
void LandingDialogOpeningTest::closeControlWritesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close-control") << "close";
    QTest::newRow("escape-on-the-grade") << "escape";
    QTest::newRow("escape-in-the-list") << "escape-in-list";
}

void LandingDialogOpeningTest::closeControlWritesNothing()
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
    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "the closed dialog should be discarded", hangWatchdogMs);
    LandingDialogWindow *again = openDialog(launcher);
    QVERIFY2(again, "the dialog did not open again");
    QCOMPARE(checkedOption(*again), 0);
}

void LandingDialogOpeningTest::launcherTakesAnOpenDialogWithIt()
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

QTEST_MAIN(LandingDialogOpeningTest)
#include "landing_dialog_opening_test.moc"
