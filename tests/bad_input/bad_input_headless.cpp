// Bad input on the headless sheet: the rules' reaction, field by field, and a low-speed reading beyond range.
#include "bad_input_table.h"
#include "bad_input_test.h"
#include "conversions.h"
#include "headless_sheet.h"

#include <QTest>

#include <utility>

using namespace orlo;
using namespace orlo::bad_input;
using namespace orlo::ctl;

namespace {

QStringList toQt(const std::vector<std::string> &texts)
{
    QStringList converted;
    for (const std::string &text : texts)
        converted << QString::fromStdString(text);
    return converted;
}

} // namespace

void BadInputTest::rulesReaction_data()
{
    addTableRows(false);
}

// The rules' reaction on the headless sheet, field by field.
void BadInputTest::rulesReaction()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, reading);
    const Ctl target = controlNamed(field);
    const Reaction expected = expectedReaction(target, static_cast<Reading>(reading));

    HeadlessSheet sheet;
    sheet.start();
    for (const auto &[watch, time] : {std::pair{HS_Watch(0), "12.5"}, std::pair{HS_Watch(1), "12.5"},
                                      std::pair{LS_Watch(0), "25"}, std::pair{LS_Watch(1), "25"}})
        sheet.type(watch, time);
    if (target == Engines(1)) {
        sheet.type(Engines(0), "2");
        sheet.tab();
        QVERIFY2(sheet.focused() == Engines(1), "two engines show the running count");
    }
    sheet.click(target);
    QVERIFY2(sheet.takeMessages().empty(), "the flight goes in without a message");
    QCOMPARE(sheet.text(HS_Points), std::string("143.9"));

    // Selected whole, as entry selects the watch and engine fields, and
    // typed over.
    sheet.selectText(target, 0, characterCount(sheet.text(target)));
    sheet.typeHere(typed.toStdString());
    sheet.tab();

    const QStringList leaving = toQt(sheet.takeMessages());
    QCOMPARE(leaving, expected.message.isEmpty() ? QStringList() : QStringList{expected.message});
    QCOMPARE(sheet.focused() ? nameOf(*sheet.focused()) : QString(), expected.focus);
    const QStringList wrong = differences(
        expected.fields, typed, [&](Ctl control) { return QString::fromStdString(sheet.text(control)); },
        [&](Ctl control) { return sheet.isVisible(control); });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    if (target == LandingPts)
        QVERIFY2(sheet.isDialogOpen(), "a refused landing value leads to the landing dialog");

    sheet.click(Command2);
    const QStringList calculating = toQt(sheet.takeMessages());
    QCOMPARE(calculating, expected.calcMessage.isEmpty() ? QStringList() : QStringList{expected.calcMessage});
    QCOMPARE(QString::fromStdString(sheet.text(Score)), expected.score);
}

// Low-speed readings of 1e308 and 25 average 5E+307 s: a time, but ten times
// it lies beyond any number, so the low-speed run has no points, and working
// the high-speed run out again leaves its own points standing.
void BadInputTest::lowSpeedBeyondRangeLeavesHighSpeedAlone()
{
    HeadlessSheet sheet;
    sheet.start();
    for (const auto &[watch, time] : {std::pair{HS_Watch(0), "12.5"}, std::pair{HS_Watch(1), "12.5"},
                                      std::pair{LS_Watch(0), "25"}, std::pair{LS_Watch(1), "25"}})
        sheet.type(watch, time);
    sheet.type(LS_Watch(0), "1e308");
    sheet.tab();
    QCOMPARE(QString::fromStdString(sheet.text(LS_Time)), QStringLiteral("5E+307"));
    QCOMPARE(QString::fromStdString(sheet.text(LS_Points)), QStringLiteral("0.0"));

    sheet.type(HS_Watch(0), "12.5");
    sheet.tab();
    QCOMPARE(QString::fromStdString(sheet.text(HS_Points)), QStringLiteral("143.9"));
    QCOMPARE(QString::fromStdString(sheet.text(LS_Points)), QStringLiteral("0.0"));
    sheet.click(Command2);
    QVERIFY2(sheet.messages().empty(), "no message on the way");
    QCOMPARE(QString::fromStdString(sheet.text(Score)), QStringLiteral("143.9"));
}
