// Bad input on the real windows: a paste longer than a line edit holds, and a byte order mark in the landing points.
#include "bad_input_table.h"
#include "bad_input_test.h"
#include "hang_watchdog.h"
#include "wired_program.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <utility>

using namespace orlo;
using namespace orlo::bad_input;
using namespace orlo::ctl;

namespace {

// The program, driven until Qt and the rules agree on the focus after every step.
struct Program : WiredProgram {
    QLineEdit *field(Ctl name) const { return sheet.findChild<QLineEdit *>(nameOf(name)); }

    QString focus()
    {
        const auto known = sheet.rules().focus();
        return known ? nameOf(*known) : QString();
    }

    // Settled once Qt and the rules agree on the focus and no box is open.
    bool settled()
    {
        return QTest::qWaitFor([this] {
            const QWidget *real = sheet.focusWidget();
            return !QApplication::activeModalWidget() && real && real->objectName() == focus();
        }, hangWatchdogMs);
    }

    // Shown, active and started, the focus where the rules put it.
    bool startSettled()
    {
        launch();
        return QTest::qWaitForWindowActive(&sheet, hangWatchdogMs) && settled();
    }

    bool click(Ctl name)
    {
        if (!sheet.isActiveWindow()) {
            sheet.activateWindow();
            if (!QTest::qWaitForWindowActive(&sheet, hangWatchdogMs))
                return false;
        }
        QWidget *target = control(name);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        return settled();
    }

    bool typeInto(Ctl name, const QString &typed)
    {
        if (!click(name))
            return false;
        QTest::keyClicks(field(name), typed);
        return true;
    }

    bool tab()
    {
        QTest::keyClick(sheet.focusWidget(), Qt::Key_Tab);
        return settled();
    }
};

} // namespace

void BadInputTest::pasteIntoWindow_data()
{
    addTableRows(true);
}

// A paste longer than a line edit holds, on the real window: the field keeps
// the first 32767 characters, and the sheet reacts to those as the rules do
// to the whole text. How long that takes is measured in bench/paste_bench.
void BadInputTest::pasteIntoWindow()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, reading);
    const Ctl target = controlNamed(field);
    const Reaction expected = expectedReaction(target, static_cast<Reading>(reading));
    const QString kept = typed.left(lineEditLimit);

    MessageAnswerer messages;
    Program program;
    QVERIFY2(program.startSettled(), "the sheet did not start");
    for (const auto &[watch, time] : {std::pair{HS_Watch(0), "12.5"}, std::pair{HS_Watch(1), "12.5"},
                                      std::pair{LS_Watch(0), "25"}, std::pair{LS_Watch(1), "25"}})
        QVERIFY2(program.typeInto(watch, QString::fromLatin1(time)), "a watch field did not take the focus");
    if (target == Engines(1))
        QVERIFY2(program.typeInto(Engines(0), QStringLiteral("2")) && program.tab() && program.focus() == field,
                 "two engines show the running count");
    QVERIFY2(program.click(target), qPrintable(field + " did not take the focus"));
    QVERIFY2(messages.take().isEmpty(), "the flight goes in without a message");
    QCOMPARE(program.text(HS_Points), QStringLiteral("143.9"));

    QGuiApplication::clipboard()->setText(typed);
    // The landing field opened the dialog; the operator clicks back into it.
    QVERIFY2(program.click(target), qPrintable(field + " did not take the focus back"));
    QLineEdit *box = program.field(target);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->maxLength(), lineEditLimit);
    QCOMPARE(box->text().size(), kept.size());
    QVERIFY2(box->text() == kept, "the field keeps the paste's first characters");
    QVERIFY2(program.tab(), "the sheet did not settle after Tab");

    QCOMPARE(messages.take(), expected.message.isEmpty() ? QStringList() : QStringList{expected.message});
    QCOMPARE(program.focus(), expected.focus);
    const QStringList wrong = differences(
        expected.fields, kept, [&](Ctl control) { return program.text(control); },
        [&](Ctl control) { return program.field(control)->isVisible(); });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));

    QVERIFY2(program.click(Command2) || !expected.calcMessage.isEmpty(), "\"Calc. Score\" did not take the focus");
    QVERIFY2(program.settled(), "the sheet did not settle after \"Calc. Score\"");
    QCOMPARE(messages.take(), expected.calcMessage.isEmpty() ? QStringList() : QStringList{expected.calcMessage});
    QCOMPARE(program.text(Score), expected.score);
}

// A pasted text may begin with an invisible byte order mark. The landing
// points then count 0, and the summary must list the text as it stands, mark
// and all, not as "120", which the total does not hold.
void BadInputTest::byteOrderMarkStaysInTheText()
{
    MessageAnswerer messages;
    Program program;
    QVERIFY2(program.startSettled(), "the sheet did not start");

    const std::string marked = "\xEF\xBB\xBF" "120";
    program.sheet.setText(LandingPts, marked);
    QCOMPARE(program.sheet.text(LandingPts), marked);
    QVERIFY2(program.click(Command2), "\"Calc. Score\" did not take the focus");

    const auto *summary = program.sheet.findChild<QListWidget *>(QStringLiteral("Summary"));
    QTRY_COMPARE_WITH_TIMEOUT(summary->count(), 6, hangWatchdogMs);
    QCOMPARE(summary->item(4)->text(), QStringLiteral(u"\ufeff120 Landing Points"));
    QCOMPARE(program.text(Score), QStringLiteral("0.0"));
    QVERIFY2(messages.take().isEmpty(), "no message on the way");
}
