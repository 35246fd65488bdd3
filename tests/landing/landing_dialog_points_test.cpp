// The landing dialog graded with the mouse: the points "Done" writes on the sheet.

#include "hang_watchdog.h"
#include "landing_driver.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// Grades as the operator sees them; -1 leaves the grade the dialog opened with.
constexpr int asOpened = -1;

} // namespace

class LandingDialogPointsTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithNormalArrestAndNoLapsMissed();
    void doneWritesPoints_data();
    void doneWritesPoints();
    void lastGradeCounts_data();
    void lastGradeCounts();
    void doneHandsFocusToCalcScore_data();
    void doneHandsFocusToCalcScore();
    void doneWithNoLapSelected();
};

void LandingDialogPointsTest::opensWithNormalArrestAndNoLapsMissed()
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

void LandingDialogPointsTest::doneWritesPoints_data()
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

void LandingDialogPointsTest::doneWritesPoints()
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
    QTRY_VERIFY2_WITH_TIMEOUT(watched.isNull(), "the closed dialog should be discarded", hangWatchdogMs);
}

void LandingDialogPointsTest::lastGradeCounts_data()
{
    QTest::addColumn<QList<int>>("grades");
    QTest::addColumn<QString>("written");

    QTest::newRow("100-then-50") << QList<int>{0, 1} << "50";
    QTest::newRow("no-arrest-then-25") << QList<int>{3, 2} << "25";
    QTest::newRow("back-to-100") << QList<int>{2, 1, 0} << "100";
}

void LandingDialogPointsTest::lastGradeCounts()
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

void LandingDialogPointsTest::doneHandsFocusToCalcScore_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");

    QTest::newRow("field-as-it-was") << QString() << "100";
    // "Done" writes before it moves the focus, so the field's check sees the
    // new points, never what the operator had typed.
    QTest::newRow("typed-97-replaced-before-the-check") << "97" << "100";
}

void LandingDialogPointsTest::doneHandsFocusToCalcScore()
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

void LandingDialogPointsTest::doneWithNoLapSelected()
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

QTEST_MAIN(LandingDialogPointsTest)
#include "landing_dialog_points_test.moc"
