// The monkey's actions: what it clicks, which keys it presses, what it types and pastes, how it grades landings.
#include "monkey.h"

#include "held_click.h"
#include "named_control.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <utility>

namespace orlo::monkey {

using namespace orlo::ctl;

namespace {

// The points of each landing grade, in the dialog's order.
constexpr std::array<int, 4> arrestPoints{100, 50, 25, 0};

// Controls of the sheet a click may go to; "Exit" would end the run.
constexpr std::array<Ctl, 26> clickable{
    Class(0), Class(1), Class(2), Class(3), Class(4), Class(5),
    HS_Watch(0), HS_Watch(1), HS_Time, HS_MPH, HS_Points,
    LS_Watch(0), LS_Watch(1), LS_Time, LS_MPH, LS_Points,
    Engines(0), Engines(1), ScalePts(0), ScalePts(1),
    LandingPts, Score, Summary, Command1, Command2, Command3,
};

// The fields an official types into.
constexpr std::array<Ctl, 7> editable{
    HS_Watch(0), HS_Watch(1), LS_Watch(0), LS_Watch(1), Engines(0), Engines(1), LandingPts,
};

// Texts an official might type, mistype or paste: readings, counts, landing
// points, and what else a keyboard, a layout switch or a clipboard brings.
const QStringList oddTexts{
    QString(), QStringLiteral(" "), QStringLiteral("   "), QStringLiteral("-0"), QStringLiteral("+"),
    QStringLiteral("-"), QStringLiteral("."), QStringLiteral("-."), QStringLiteral("1e308"),
    QStringLiteral("-1e308"), QStringLiteral("1E309"), QStringLiteral("1e999"), QStringLiteral("1e-320"),
    QStringLiteral("4.9e-324"), QStringLiteral("1.7976931348623157e308"), QStringLiteral("12,5"),
    QStringLiteral("1 2.5"), QStringLiteral("0x10"), QStringLiteral("&H10"), QStringLiteral("&O17"),
    QStringLiteral("1d2"), QStringLiteral("1e"), QStringLiteral("1e+"), QStringLiteral("nan"),
    QStringLiteral("inf"), QStringLiteral("-inf"), QStringLiteral("Infinity"), QStringLiteral("-12"),
    QStringLiteral("-0.0001"), QStringLiteral("2.0"), QStringLiteral("05"), QStringLiteral("97"),
    QStringLiteral("105"), QStringLiteral("-5"), QStringLiteral("12.5s"), QStringLiteral("abc"),
    QStringLiteral("0.5"), QStringLiteral("1.5"), QStringLiteral("00000000000000000000001"),
    QStringLiteral("0.000000000000000000001"), QStringLiteral("99999999999999999999"),
    QStringLiteral("123456789012345678"), QStringLiteral("1e15"), QStringLiteral("1e-5"),
};

const QStringList foreignTexts{
    QStringLiteral(u"١٢"),     QStringLiteral(u"١٢٫٥"), QStringLiteral(u"１２"), QStringLiteral(u"１２．５"),
    QStringLiteral(u"é"),      QStringLiteral(u"½"),    QStringLiteral(u"²"),    QStringLiteral(u"12 ５"),
    QStringLiteral(u"😀"),     QStringLiteral(u"𝟙𝟚"),   QStringLiteral(u"Ω"),    QStringLiteral(u"٣"),
    QStringLiteral(u"−5"),     QStringLiteral(u"12\u00a05"),
};

// Characters a paste can bring that a key press cannot.
const QStringList controlTexts{
    QStringLiteral("\x01"), QStringLiteral("\x7f"), QStringLiteral("1\n2"), QStringLiteral("\t12\t"),
    QStringLiteral("12\r"), QString(QChar(0)) + QStringLiteral("5"), QStringLiteral(u"\u2028"),
    QStringLiteral(u"\ufeff12"), QStringLiteral(u"\u202e12"), QStringLiteral("\x1b[2J"),
};

} // namespace

bool Monkey::isExit(const QWidget *widget)
{
    return widget && widget->objectName() == ScoreSheetWindow::objectNameOf(Command4)
           && qobject_cast<const QPushButton *>(widget);
}

// Pressing a key on the sheet's focused button presses it.
void Monkey::noteKeyOnButton(const QWidget *target, Qt::Key key)
{
    if (key != Qt::Key_Space || !target)
        return;
    if (target->objectName() == ScoreSheetWindow::objectNameOf(Command2) && target->window() == &m_program.sheet)
        m_calcPressed = true;
    if (target->objectName() == ScoreSheetWindow::objectNameOf(Command3) && target->window() == &m_program.sheet)
        m_resetPressed = true;
}

void Monkey::act()
{
    if (std::exchange(m_pressCalcAgain, false)) {
        clickOn(Command2);
        return;
    }
    if (dialog() && chance(35)) {
        actOnDialog();
        return;
    }
    switch (pick(24)) {
    case 0:
    case 1:
    case 2: tab(true); break;
    case 3: tab(false); break;
    case 4:
    case 5:
    case 6: clickOn(clickable[pick(clickable.size())]); break;
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12: clickInto(editable[pick(editable.size())]); [[fallthrough]];
    case 13:
    case 14: typeHere(randomText()); break;
    case 15: clickInto(editable[pick(editable.size())]); [[fallthrough]];
    case 16: paste(randomPaste()); break;
    case 17:
    case 18: pressKey(); break;
    case 19:
    case 20:
        clickOn(Command2);
        m_pressCalcAgain = chance(50);
        break;
    case 21: clickOn(chance(30) ? Command3 : Command1); break;
    default:
        note(QStringLiteral("activate the sheet"));
        m_program.sheet.activateWindow();
        break;
    }
}

void Monkey::tab(bool forward)
{
    QWidget *target = keyboardTarget();
    note(QStringLiteral("%1 on %2").arg(forward ? "Tab" : "Backtab", target->objectName()));
    QTest::keyClick(target, forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
}

void Monkey::clickOn(Ctl name)
{
    QWidget *target = control(name);
    if (!target || !target->isVisible()) {
        note(QStringLiteral("click on hidden %1 (nothing)").arg(ScoreSheetWindow::objectNameOf(name)));
        return;
    }
    note(QStringLiteral("click on %1").arg(target->objectName()));
    activateForClick(&m_program.sheet);
    if (name == Command2)
        m_calcPressed = true;
    if (name == Command3)
        m_resetPressed = true;
    const QPoint where = qobject_cast<QRadioButton *>(target) ? QPoint(8, target->height() / 2)
                                                               : target->rect().center();
    // Mostly a hand's click, its release after the press's work; sometimes
    // press and release back to back, as from a fast touchpad tap.
    if (chance(70))
        heldClick(target, where);
    else
        QTest::mouseClick(target, Qt::LeftButton, {}, where);
}

// Most of the time the operator waits for the sheet to take the click
// before typing; sometimes the keys come ahead of it.
void Monkey::clickInto(Ctl field)
{
    clickOn(field);
    if (chance(80))
        settle();
    else
        note(QStringLiteral("(typing ahead)"));
}

// A click into a window that is not active activates it first, as the
// window systems the program runs on do; the offscreen one does not.
void Monkey::activateForClick(QWidget *window)
{
    if (window->isActiveWindow())
        return;
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(window->windowTitle()));
}

QString Monkey::randomText()
{
    switch (pick(9)) {
    case 0:
    case 1: return QStringLiteral("%1.%2").arg(pick(60)).arg(pick(10));
    case 2: return QString::number(pick(5));
    case 3: return QString::number(5 * pick(22));
    case 4: return foreignTexts.at(static_cast<qsizetype>(pick(foreignTexts.size())));
    case 5: return QString(static_cast<qsizetype>(1 + pick(400)), QLatin1Char(chance(50) ? '9' : '1'));
    case 6: {
        QString junk;
        for (std::uint64_t i = 0, n = 1 + pick(12); i < n; ++i)
            junk += QChar(static_cast<char16_t>(0x21 + pick(94)));
        return junk;
    }
    default: return oddTexts.at(static_cast<qsizetype>(pick(oddTexts.size())));
    }
}

QString Monkey::randomPaste()
{
    switch (pick(5)) {
    case 0: return controlTexts.at(static_cast<qsizetype>(pick(controlTexts.size())));
    case 1: return QString(10'000, QLatin1Char('9'));
    case 2: return QStringLiteral("12.5") + QString(9'996, QLatin1Char('0'));
    case 3: {
        QString mixed;
        mixed.reserve(10'000);
        while (mixed.size() < 10'000)
            mixed += randomText();
        return mixed.left(10'000);
    }
    default: return randomText();
    }
}

// Types character by character; what the keyboard cannot name comes as
// text alone, as from another keyboard layout. Space on "Exit" would end
// the program, so nothing is typed there.
void Monkey::typeHere(const QString &typed)
{
    QWidget *target = keyboardTarget();
    if (isExit(target)) {
        tab(false);
        return;
    }
    note(QStringLiteral("type %1 into %2").arg(preview(typed), target->objectName()));
    for (qsizetype i = 0; i < typed.size(); ++i) {
        qsizetype length = typed.at(i).isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
        const QString character = typed.mid(i, length);
        i += length - 1;
        const char16_t code = character.at(0).unicode();
        QElapsedTimer key;
        key.start();
        if (length == 1 && code >= 0x20 && code < 0x7f) {
            noteKeyOnButton(target, code == ' ' ? Qt::Key_Space : Qt::Key_unknown);
            QTest::keyClick(target, static_cast<char>(code));
        } else {
            QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, character, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, character, Qt::NoModifier);
        }
        m_slowestKeyMs = std::max(m_slowestKeyMs.value_or(0), key.elapsed());
    }
}

void Monkey::paste(const QString &pasted)
{
    QWidget *target = keyboardTarget();
    if (isExit(target)) {
        tab(false);
        return;
    }
    note(QStringLiteral("paste %1 into %2").arg(preview(pasted), target->objectName()));
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

void Monkey::pressKey()
{
    static constexpr std::array<Qt::Key, 13> keys{
        Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End,
        Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
        Qt::Key_A, Qt::Key_Z,
    };
    QWidget *target = keyboardTarget();
    const Qt::Key key = keys[pick(keys.size())];
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_A || key == Qt::Key_Z ? Qt::ControlModifier
                                                                                : Qt::NoModifier;
    if (isExit(target) && (key == Qt::Key_Space || key == Qt::Key_Return)) {
        tab(false);
        return;
    }
    note(QStringLiteral("key %1 on %2").arg(QKeySequence(key | modifiers).toString(), target->objectName()));
    noteKeyOnButton(target, key);
    QTest::keyClick(target, key, modifiers);
}

void Monkey::actOnDialog()
{
    LandingDialogWindow *open = dialog();
    switch (pick(8)) {
    case 0:
    case 1: {
        const int grade = static_cast<int>(pick(4));
        note(QStringLiteral("dialog: click Option1_%1").arg(grade));
        auto *option = namedControl<QRadioButton>(*open, QStringLiteral("Option1_%1").arg(grade));
        activateForClick(open);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        break;
    }
    case 2: {
        const int laps = static_cast<int>(pick(LandingDialog::missedLapChoices));
        note(QStringLiteral("dialog: click %1 landings missed").arg(laps));
        QListWidget *missed = namedControl<QListWidget>(*open, QStringLiteral("List1"));
        missed->scrollToItem(missed->item(laps));
        activateForClick(open);
        QTest::mouseClick(missed->viewport(), Qt::LeftButton, {}, missed->visualItemRect(missed->item(laps)).center());
        break;
    }
    case 3:
    case 4: {
        static constexpr std::array<Qt::Key, 8> keys{Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                                                     Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_Tab};
        const Qt::Key key = keys[pick(keys.size())];
        QWidget *target = open->focusWidget() ? open->focusWidget() : open;
        note(QStringLiteral("dialog: key %1 on %2").arg(QKeySequence(key).toString(), target->objectName()));
        QTest::keyClick(target, key);
        break;
    }
    case 5:
    case 6: {
        // What "Done" must write: the grade's points less five a missed
        // lap, never below nothing.
        int grade = -1;
        for (int i = 0; i < 4; ++i) {
            if (namedControl<QRadioButton>(*open, QStringLiteral("Option1_%1").arg(i))->isChecked())
                grade = i;
        }
        const QList<QListWidgetItem *> chosen = namedControl<QListWidget>(*open, QStringLiteral("List1"))->selectedItems();
        const int laps = chosen.isEmpty() ? 0 : namedControl<QListWidget>(*open, QStringLiteral("List1"))->row(chosen.front());
        const int points = grade < 0 ? 0 : std::max(arrestPoints[static_cast<std::size_t>(grade)] - 5 * laps, 0);
        m_expectedLanding = QString::number(points);
        note(QStringLiteral("dialog: Done (grade %1, %2 laps missed)").arg(grade).arg(laps));
        activateForClick(open);
        QTest::mouseClick(namedControl<QPushButton>(*open, QStringLiteral("Command1")), Qt::LeftButton);
        break;
    }
    default:
        if (chance(50)) {
            note(QStringLiteral("dialog: close it with its window control"));
            open->close();
        } else {
            note(QStringLiteral("dialog: activate it"));
            open->activateWindow();
        }
        break;
    }
}

} // namespace orlo::monkey
