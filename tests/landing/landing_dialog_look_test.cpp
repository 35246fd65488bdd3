// The landing dialog's look: its controls' places and fonts, and their accessible names.

#include "hang_watchdog.h"
#include "landing_driver.h"

#include <QAccessible>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace orlo;

class LandingDialogLookTest : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void resizingMovesNothing();
    void accessibleNames_data();
    void accessibleNames();
};

void LandingDialogLookTest::layout_data()
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

void LandingDialogLookTest::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);

    DialogBesideSheet beside;
    beside.dialog.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&beside.dialog, hangWatchdogMs), "the dialog was not shown");

    QCOMPARE(beside.dialog.size(), QSize(654, 294));
    auto *control = beside.dialog.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name + QStringLiteral(" is missing")));
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->font().pixelSize(), 13);
    QVERIFY2(control->font().bold(), "every control is in bold");
}

void LandingDialogLookTest::resizingMovesNothing()
{
    DialogBesideSheet beside;
    beside.dialog.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&beside.dialog, hangWatchdogMs), "the dialog was not shown");
    const QRect before = doneButton(beside.dialog)->geometry();

    beside.dialog.resize(900, 500);
    QTRY_COMPARE_WITH_TIMEOUT(beside.dialog.size(), QSize(900, 500), hangWatchdogMs);

    QCOMPARE(doneButton(beside.dialog)->geometry(), before);
    QCOMPARE(missedLapsList(beside.dialog)->geometry(), QRect(12, 144, 589, 100));
}

void LandingDialogLookTest::accessibleNames_data()
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

void LandingDialogLookTest::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);

    DialogBesideSheet beside;
    auto *control = beside.dialog.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name + QStringLiteral(" is missing")));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY2(accessible, "no accessibility interface");
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
}

QTEST_MAIN(LandingDialogLookTest)
#include "landing_dialog_look_test.moc"
