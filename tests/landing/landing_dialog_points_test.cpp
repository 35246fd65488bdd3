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
    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");

    QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("Form2"));
    QVERIFY2(!opened.dialog->parentWidget(), "the dialog must not belong to the score sheet");
    QCOMPARE(checkedOption(*opened.dialog), 0);
    QVERIFY2(gradeOption(*opened.dialog, 0)->hasFocus(), "the 100-point grade should hold the focus");
    QCOMPARE(opened.dialog->rules().points(), 100);
    QCOMPARE(missedLapsList(*opened.dialog)->count(), 21);
    QCOMPARE(missedLapsList(*opened.dialog)->item(0)->text(), QStringLiteral("0 landings missed"));
    QCOMPARE(missedLapsList(*opened.dialog)->item(1)->text(), QStringLiteral("1 landings missed"));
    QCOMPARE(missedLapsList(*opened.dialog)->item(20)->text(), QStringLiteral("20 landings missed"));
    QCOMPARE(opened.dialog->listIndex(), 0);
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

    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");
    const QPointer<LandingDialogWindow> watched(opened.dialog);

    if (grade != asOpened)
        clickOption(*opened.dialog, grade);
    if (missedLaps != 0)
        clickMissedLaps(*opened.dialog, missedLaps);
    QCOMPARE(opened.dialog->listIndex(), missedLaps);
    QTest::mouseClick(doneButton(*opened.dialog), Qt::LeftButton);

    QCOMPARE(landingPoints(opened.sheet), written);
    QVERIFY2(!opened.launcher.dialog(), "\"Done\" should close the dialog");
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

    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");

    for (int grade : grades)
        clickOption(*opened.dialog, grade);
    QCOMPARE(checkedOption(*opened.dialog), grades.last());
    QTest::mouseClick(doneButton(*opened.dialog), Qt::LeftButton);

    QCOMPARE(landingPoints(opened.sheet), written);
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

    SheetWithLauncher beside;
    beside.sheet.click(LandingPts);
    QVERIFY2(beside.sheet.dialogOpenings() == 1, "clicking into the landing field should ask for the dialog");
    if (!typed.isEmpty())
        beside.sheet.setText(LandingPts, typed.toStdString());
    LandingDialogWindow *dialog = openDialog(beside.launcher);
    QVERIFY2(dialog, "the dialog did not open");

    QTest::mouseClick(doneButton(*dialog), Qt::LeftButton);

    QCOMPARE(landingPoints(beside.sheet), written);
    QVERIFY2(beside.sheet.focused() == Command2, "the sheet's focus should be on \"Calc. Score\"");
    QVERIFY2(beside.sheet.rules().focus() == Command2, "the sheet's rules should see the focus on \"Calc. Score\"");
    QVERIFY2(beside.sheet.messages().empty(),
             qPrintable(QStringLiteral("the landing check should pass, got: ") + messagesOf(beside.sheet)));
    QCOMPARE(beside.sheet.dialogOpenings(), 1);
}

void LandingDialogPointsTest::doneWithNoLapSelected()
{
    OpenedDialog opened;
    QVERIFY2(opened.dialog, "the dialog did not open");
    clickOption(*opened.dialog, 1);
    clickMissedLaps(*opened.dialog, 2);
    // Ctrl+click takes the selection off the list altogether.
    QListWidget *list = missedLapsList(*opened.dialog);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(2)).center());
    QCOMPARE(opened.dialog->listIndex(), -1);

    QTest::mouseClick(doneButton(*opened.dialog), Qt::LeftButton);

    QCOMPARE(landingPoints(opened.sheet), QStringLiteral("50"));
}

QTEST_MAIN(LandingDialogPointsTest)
#include "landing_dialog_points_test.moc"
