// The checks of the engine count and the landing points on the headless sheet, and where they leave the focus.

#include "expected_messages.h"
#include "headless_sheet.h"
#include "headless_sheet_reading.h"

#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

class SheetHandlersChecksTest : public QObject {
    Q_OBJECT

private slots:
    void engineCount_data();
    void engineCount();
    void runningEnginesAreNotChecked();
    void hiddenFieldDoesNotKeepTheFocus();
    void landingCheck_data();
    void landingCheck();
    void twoFailingChecksGiveOneMessageEach_data();
    void twoFailingChecksGiveOneMessageEach();
};

void SheetHandlersChecksTest::engineCount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("runningShown");
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("message");

    QTest::newRow("two-engines-ask-how-many-ran") << "2" << true << "2" << "";
    QTest::newRow("fraction-above-one-copied") << "2.5" << true << "2.5" << "";
    QTest::newRow("one-engine") << "1" << false << "0" << "";
    QTest::newRow("zero-engines") << "0" << false << "0" << badEngineCount;
    QTest::newRow("empty-count") << "" << false << "0" << badEngineCount;
    QTest::newRow("half-an-engine") << "0.5" << false << "0" << badEngineCount;
    QTest::newRow("letters") << "two" << false << "0" << badEngineCount;
}

void SheetHandlersChecksTest::engineCount()
{
    QFETCH(QString, typed);
    QFETCH(bool, runningShown);
    QFETCH(QString, running);
    QFETCH(QString, message);
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(Engines(0), typed.toStdString());
    sheet.tab();
    QCOMPARE(sheet.isVisible(Engines(1)), runningShown);
    QCOMPARE(sheet.isVisible(lblRunning), runningShown);
    QCOMPARE(textOf(sheet, Engines(1)), running);
    QCOMPARE(textOf(sheet, Engines(0)), typed);
    QCOMPARE(messagesOf(sheet), message.isEmpty() ? QStringList() : QStringList{message});
    if (runningShown) {
        QVERIFY2(sheet.focused() == Engines(1), "the operator is asked for the running engines");
        QCOMPARE(sheet.selection(Engines(1)), std::make_pair(0, int(typed.size())));
    } else if (!message.isEmpty()) {
        QVERIFY2(sheet.focused() == Engines(0), "the focus goes back to the engine count");
    } else {
        QVERIFY(sheet.focused() == ScalePts(0));
    }
}

void SheetHandlersChecksTest::runningEnginesAreNotChecked()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(Engines(0), "2");
    sheet.tab();
    sheet.typeHere("0");
    sheet.tab();
    QVERIFY(sheet.messages().empty());
    QCOMPARE(textOf(sheet, Engines(1)), QStringLiteral("0"));
}

void SheetHandlersChecksTest::hiddenFieldDoesNotKeepTheFocus()
{
    HeadlessSheet sheet;
    sheet.start();
    sheet.type(Engines(0), "2");
    sheet.tab();
    sheet.type(Engines(0), "1");
    sheet.tab(); // towards Engines(1), which the count of 1 hides
    QVERIFY(!sheet.isVisible(Engines(1)));
    QVERIFY2(sheet.focused() == ScalePts(0), "the focus passes on to the next visible stop");
    QVERIFY(sheet.rules().focus() == ScalePts(0));
}

void SheetHandlersChecksTest::landingCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    for (int points = 0; points <= 100; points += 5)
        QTest::addRow("accepts-%d", points) << QString::number(points) << true;
    QTest::newRow("not-a-multiple-of-five") << "97" << false;
    QTest::newRow("above-hundred") << "105" << false;
    QTest::newRow("negative") << "-5" << false;
    QTest::newRow("leading-zero") << "05" << false;
    QTest::newRow("leading-blank") << " 5" << false;
    QTest::newRow("decimal-form") << "5.0" << false;
    QTest::newRow("empty") << "" << false;
}

void SheetHandlersChecksTest::landingCheck()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(LandingPts, typed.toStdString());
    sheet.click(LandingPts);
    QCOMPARE(sheet.dialogOpenings(), 1);
    sheet.click(Command2);
    QCOMPARE(textOf(sheet, LandingPts), typed);
    if (accepted) {
        QVERIFY(sheet.messages().empty());
        QVERIFY(sheet.focused() == Command2);
    } else {
        QCOMPARE(messagesOf(sheet), QStringList{badLandingPoints});
        QVERIFY2(sheet.focused() == LandingPts, "the focus goes back to the landing points");
        QVERIFY2(sheet.dialogOpenings() == 2, "coming back to the field asks for the dialog again");
    }
}

// Two fields whose checks both fail must not pull the focus from each
// other for ever, a message each time.
void SheetHandlersChecksTest::twoFailingChecksGiveOneMessageEach_data()
{
    QTest::addColumn<int>("from"); // 0 engines, 1 landing points, 2 high-speed watch
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("engines-to-landing") << 0 << 1 << badEngineCount;
    QTest::newRow("landing-to-engines") << 1 << 0 << badLandingPoints;
    QTest::newRow("negative-time-to-engines") << 2 << 0 << negativeHighSpeed;
}

void SheetHandlersChecksTest::twoFailingChecksGiveOneMessageEach()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, message);
    const Ctl fields[] = {Engines(0), LandingPts, HS_Watch(0)};
    HeadlessSheet sheet;
    sheet.start();
    sheet.setText(Engines(0), "0");
    sheet.setText(LandingPts, "97");
    sheet.setText(HS_Watch(0), "-1");
    sheet.rules().focusTo(fields[from]);
    sheet.takeMessages();
    sheet.click(fields[to]);
    QCOMPARE(messagesOf(sheet), QStringList{message});
    QVERIFY2(sheet.focused() == fields[from], "the focus ends in a field whose check failed");

    sheet.click(fields[to]); // trying again gives the same single message
    QCOMPARE(messagesOf(sheet), QStringList{message});
}

QTEST_APPLESS_MAIN(SheetHandlersChecksTest)
#include "sheet_handlers_checks_test.moc"
