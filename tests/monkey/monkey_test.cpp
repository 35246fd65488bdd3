#include "landing_dialog_launcher.h"
#include "landing_dialog_window.h"
#include "score_sheet_window.h"
#include "tahoma_font.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <deque>
#include <optional>
#include <random>
#include <utility>
#include <vector>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// What the command line may change: --seed=N runs that one seed instead of
// the fixed ones, --actions=N the number of actions per seed, --trace prints
// every action before it is done (to find the one that crashes).
struct RunSettings {
    std::optional<quint64> seed;
    int actions = 1000;
    bool trace = false;
};

RunSettings &settings()
{
    static RunSettings chosen;
    return chosen;
}

constexpr int messagesPerActionAllowed = 3;
// Past this many messages for one action the program is taken to be stuck
// in a loop of messages; the run ends there rather than wait for ever.
constexpr int messagesMeaningStuck = 25;
// An action that has not ended after a minute has hung. Nothing tighter:
// how long an action takes depends on the machine, its load and the build,
// so the slowest one is reported, not judged.
constexpr qint64 hangMs = 60000;
constexpr std::size_t logTail = 40;

const QStringList knownMessages{
    QStringLiteral("Negative time, how'd you do that? Positive numbers please."),
    QStringLiteral("Negative times, how'd you do that? Positive numbers please."),
    QStringLiteral("You must enter at least one watch time for the highspeed."),
    QStringLiteral("The Number of engines must be a number > 0. Please try again."),
    QStringLiteral("Landing points range from 0 to 100 in 5 point increments"),
};
const QString badLandingMessage = knownMessages.at(4);

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

QString preview(const QString &text)
{
    QString shown;
    for (const QChar c : text.left(24)) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    if (text.size() > 24)
        shown += QStringLiteral("...(%1 chars)").arg(text.size());
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// A complete number as the score sheet's strict reading takes it, written
// out here as a pattern so the check does not lean on the reader it checks.
bool looksLikeCompleteNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t\\n]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?[ \\t\\n]*$"));
    return number.match(text).hasMatch();
}

// A complete number within the double range; one too small for a double
// reads as 0 and counts. Qt gives an infinity for a number too large.
bool readsAsFiniteNumber(const QString &text)
{
    return looksLikeCompleteNumber(text) && std::isfinite(text.trimmed().toDouble());
}

// What the sheet counts for a text that need not be a number: blanks
// dropped, then as much of a number as stands at the front, else 0
// ("12abc" counts 12).
double leniently(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[ \\t\\n]")));
    static const QRegularExpression front(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?"));
    const QRegularExpressionMatch number = front.match(text);
    if (!number.hasMatch())
        return 0;
    QString written = number.captured(0);
    written.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    return written.toDouble();
}

// The number at the front of a summary line ("143.9 High Speed Points").
double leadingNumber(const QString &line, const QString &suffix)
{
    return leniently(line.left(line.size() - suffix.size()));
}

// The sheet and the dialog as the program wires them.
struct Program {
    ScoreSheetWindow sheet;
    LandingDialogLauncher landing{sheet, sheet.rules()};

    Program() { sheet.setLandingDialog([this] { landing.open(); }, [this] { landing.close(); }); }

    bool start()
    {
        sheet.show();
        sheet.activateWindow();
        sheet.rules().start();
        return QTest::qWaitForWindowActive(&sheet)
               && QTest::qWaitFor([this] { return sheet.rules().focus() == Class(0); });
    }
};

// What "Calc. Score" leaves behind.
struct Calculation {
    QStringList summary;
    bool summaryShown = false;
    QString score;
    QString lowSpeedPoints;
    friend bool operator==(const Calculation &, const Calculation &) = default;
};

// A seeded random operator: it clicks, tabs, types, pastes and grades
// landings on the real windows, answers every message with OK, and after
// each action checks what must hold whatever was typed.
class Monkey : public QObject {
public:
    Monkey(Program &program, quint64 seed) : m_program(program), m_seed(seed), m_random(seed)
    {
        m_answerer.setInterval(2);
        connect(&m_answerer, &QTimer::timeout, this, &Monkey::answerMessage);
        m_answerer.start();
        QAbstractItemModel *summary = list(Summary)->model();
        connect(summary, &QAbstractItemModel::modelReset, this, [this] { m_summaryRebuilt = true; });
        connect(summary, &QAbstractItemModel::rowsRemoved, this, [this] { m_summaryRebuilt = true; });
    }

    // The first broken rule, with the seed and the last actions; empty when
    // every action kept every rule.
    QString run(int actions)
    {
        for (m_actionNumber = 1; m_actionNumber <= actions; ++m_actionNumber) {
            m_messages.clear();
            m_summaryRebuilt = false;
            m_expectedLanding.reset();
            m_resetPressed = false;
            m_calcPressed = false;
            m_focusBefore = m_program.sheet.rules().focus();
            m_slowestKeyMs.reset();
            m_clock.start();
            act();
            // Typed text is timed key by key for the report: a long text
            // takes as long to type as the operator's fingers make it.
            const qint64 input = m_slowestKeyMs.value_or(m_clock.restart());
            m_clock.restart();
            if (!settle())
                return failure(QStringLiteral("the windows had not settled after %1 ms").arg(hangMs));
            if (settings().trace)
                std::fprintf(stderr, "   -> %s\n", qPrintable(state()));
            const qint64 took = input + m_clock.elapsed();
            m_clock.invalidate();
            if (took >= m_tally.slowestMs) {
                m_tally.slowestMs = took;
                m_tally.slowestAction = m_log.empty() ? QString() : m_log.back();
            }
            if (const QString broken = brokenRule(); !broken.isEmpty())
                return failure(broken);
        }
        return {};
    }

    // How much the run checked, so that a run that checks nothing shows.
    QString tally() const
    {
        return QStringLiteral("%1 messages answered, %2 calculations, %3 pressed twice in a row, %4 resets, "
                              "%5 landings graded; the slowest action took %6 ms: %7")
            .arg(m_tally.messages)
            .arg(m_tally.calculations)
            .arg(m_tally.repeatedCalculations)
            .arg(m_tally.resets)
            .arg(m_tally.landings)
            .arg(m_tally.slowestMs)
            .arg(m_tally.slowestAction);
    }

private:
    std::uint64_t pick(std::uint64_t count) { return m_random() % count; }
    bool chance(int percent) { return pick(100) < static_cast<std::uint64_t>(percent); }

    template <typename Widget = QWidget>
    Widget *control(Ctl name) const
    {
        return m_program.sheet.findChild<Widget *>(ScoreSheetWindow::objectNameOf(name));
    }
    QListWidget *list(Ctl name) const { return control<QListWidget>(name); }
    QString text(Ctl field) const
    {
        const auto *box = control<QLineEdit>(field);
        return box ? box->text() : QStringLiteral("<no such field>");
    }
    bool checked(Ctl option) const
    {
        const auto *button = control<QRadioButton>(option);
        return button && button->isChecked();
    }
    LandingDialogWindow *dialog() const { return m_program.landing.dialog(); }

    void note(const QString &action)
    {
        const QString line = QStringLiteral("#%1 %2").arg(m_actionNumber).arg(action);
        m_log.push_back(line);
        if (m_log.size() > logTail)
            m_log.pop_front();
        if (settings().trace)
            std::fprintf(stderr, "%s\n", qPrintable(line));
    }

    QString failure(const QString &what) const
    {
        const auto known = m_program.sheet.rules().focus();
        const QWidget *real = m_program.sheet.focusWidget();
        const QWidget *active = QApplication::activeWindow();
        QString report = QStringLiteral("seed %1, action %2: %3\nmessages of that action: %4\n"
                                        "focus: the sheet's on %5, the rules' on %6, active window %7\nlast actions:\n")
                             .arg(m_seed)
                             .arg(m_actionNumber)
                             .arg(what, m_messages.join(QStringLiteral(" | ")),
                                  real ? real->objectName() : QStringLiteral("nothing"),
                                  known ? ScoreSheetWindow::objectNameOf(*known) : QStringLiteral("nothing"),
                                  active ? active->windowTitle() : QStringLiteral("none"));
        for (const QString &line : m_log)
            report += QStringLiteral("  ") + line + QLatin1Char('\n');
        report += QStringLiteral("repeat with: monkey_test --seed=%1 --actions=%2").arg(m_seed).arg(m_actionNumber);
        return report;
    }

    // Where the focus is and what the fields hold, for the trace.
    QString state() const
    {
        const auto known = m_program.sheet.rules().focus();
        const QWidget *real = m_program.sheet.focusWidget();
        QStringList fields;
        for (Ctl field : {HS_Watch(0), HS_Watch(1), HS_Points, LS_Watch(0), LS_Watch(1), LS_Points, Engines(0),
                          Engines(1), LandingPts, Score})
            fields << ScoreSheetWindow::objectNameOf(field) + QLatin1Char('=') + preview(text(field));
        return QStringLiteral("focus %1 (rules %2), %3 message(s); %4")
            .arg(real ? real->objectName() : QStringLiteral("-"),
                 known ? ScoreSheetWindow::objectNameOf(*known) : QStringLiteral("-"))
            .arg(m_messages.size())
            .arg(fields.join(QLatin1Char(' ')));
    }

    // Answers a message box with OK, from inside the box's own event loop.
    void answerMessage()
    {
        if (m_clock.isValid() && m_clock.elapsed() > hangMs)
            qFatal("%s", qPrintable(failure(QStringLiteral("the action has not ended after %1 ms").arg(hangMs))));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        m_messages << box->text();
        ++m_tally.messages;
        if (m_messages.size() > messagesMeaningStuck)
            qFatal("%s", qPrintable(failure(QStringLiteral("messages without end"))));
        box->button(QMessageBox::Ok)->click();
    }

    // Lets the windows finish the action: every report delivered, every
    // message answered, the rules agreeing with Qt on where the focus is.
    bool settle()
    {
        int quiet = 0;
        while (m_clock.elapsed() <= hangMs) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const bool idle = !QApplication::activeModalWidget() && focusAgrees();
            quiet = idle ? quiet + 1 : 0;
            if (quiet >= 3)
                return true;
        }
        return false;
    }

    bool focusAgrees() const
    {
        const auto known = m_program.sheet.rules().focus();
        const QWidget *real = m_program.sheet.focusWidget();
        return known && real && real->objectName() == ScoreSheetWindow::objectNameOf(*known);
    }

    // The widget the keyboard goes to; the sheet takes it back when no
    // window is active.
    QWidget *keyboardTarget()
    {
        if (QWidget *focused = QApplication::focusWidget())
            return focused;
        m_program.sheet.activateWindow();
        QCoreApplication::processEvents();
        return QApplication::focusWidget() ? QApplication::focusWidget() : &m_program.sheet;
    }

    static bool isExit(const QWidget *widget)
    {
        return widget && widget->objectName() == ScoreSheetWindow::objectNameOf(Command4)
               && qobject_cast<const QPushButton *>(widget);
    }

    // Pressing a key on the sheet's focused button presses it.
    void noteKeyOnButton(const QWidget *target, Qt::Key key)
    {
        if (key != Qt::Key_Space || !target)
            return;
        if (target->objectName() == ScoreSheetWindow::objectNameOf(Command2) && target->window() == &m_program.sheet)
            m_calcPressed = true;
        if (target->objectName() == ScoreSheetWindow::objectNameOf(Command3) && target->window() == &m_program.sheet)
            m_resetPressed = true;
    }

    void act()
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

    void tab(bool forward)
    {
        QWidget *target = keyboardTarget();
        note(QStringLiteral("%1 on %2").arg(forward ? "Tab" : "Backtab", target->objectName()));
        QTest::keyClick(target, forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
    }

    void clickOn(Ctl name)
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
        QTest::mouseClick(target, Qt::LeftButton, {}, where);
    }

    // Most of the time the operator waits for the sheet to take the click
    // before typing; sometimes the keys come ahead of it.
    void clickInto(Ctl field)
    {
        clickOn(field);
        if (chance(80))
            settle();
        else
            note(QStringLiteral("(typing ahead)"));
    }

    // A click into a window that is not active activates it first, as the
    // window systems the program runs on do; the offscreen one does not.
    static void activateForClick(QWidget *window)
    {
        if (window->isActiveWindow())
            return;
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("%s did not become active", qPrintable(window->windowTitle()));
    }

    QString randomText()
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

    QString randomPaste()
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
    void typeHere(const QString &typed)
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

    void paste(const QString &pasted)
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

    void pressKey()
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

    void actOnDialog()
    {
        LandingDialogWindow *open = dialog();
        switch (pick(8)) {
        case 0:
        case 1: {
            const int grade = static_cast<int>(pick(4));
            note(QStringLiteral("dialog: click Option1_%1").arg(grade));
            QRadioButton *option = open->option(grade);
            activateForClick(open);
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
            break;
        }
        case 2: {
            const int laps = static_cast<int>(pick(LandingDialog::missedLapChoices));
            note(QStringLiteral("dialog: click %1 landings missed").arg(laps));
            QListWidget *missed = open->missedLaps();
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
                if (open->option(i)->isChecked())
                    grade = i;
            }
            const QList<QListWidgetItem *> chosen = open->missedLaps()->selectedItems();
            const int laps = chosen.isEmpty() ? 0 : open->missedLaps()->row(chosen.front());
            const int points = grade < 0 ? 0 : std::max(arrestPoints[static_cast<std::size_t>(grade)] - 5 * laps, 0);
            m_expectedLanding = QString::number(points);
            note(QStringLiteral("dialog: Done (grade %1, %2 laps missed)").arg(grade).arg(laps));
            activateForClick(open);
            QTest::mouseClick(open->doneButton(), Qt::LeftButton);
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

    Calculation calculation() const
    {
        Calculation now;
        const QListWidget *summary = list(Summary);
        for (int row = 0; row < summary->count(); ++row)
            now.summary << summary->item(row)->text();
        now.summaryShown = summary->isVisible();
        now.score = text(Score);
        now.lowSpeedPoints = text(LS_Points);
        return now;
    }

    QString brokenRule()
    {
        for (const QString &message : std::as_const(m_messages)) {
            if (!knownMessages.contains(message))
                return QStringLiteral("an unknown message: %1").arg(preview(message));
        }
        if (m_messages.size() > messagesPerActionAllowed)
            return QStringLiteral("%1 messages for one action").arg(m_messages.size());
        const QWidgetList windows = QApplication::topLevelWidgets();
        if (std::count_if(windows.begin(), windows.end(), [](const QWidget *window) {
                return qobject_cast<const LandingDialogWindow *>(window) && window->isVisible();
            }) > 1)
            return QStringLiteral("more than one landing dialog is open");
        if (m_expectedLanding) {
            if (text(LandingPts) != *m_expectedLanding)
                return QStringLiteral("\"Done\" wrote %1 into LandingPts, not %2")
                    .arg(preview(text(LandingPts)), *m_expectedLanding);
            if (m_messages.contains(badLandingMessage))
                return QStringLiteral("the landing points \"Done\" wrote failed their own check");
            if (dialog())
                return QStringLiteral("\"Done\" left the dialog open");
            ++m_tally.landings;
        }
        if (const QString broken = brokenCalculation(); !broken.isEmpty())
            return broken;
        return brokenReset();
    }

    QString brokenCalculation()
    {
        // A press that counted rebuilds the summary, and a calculation run
        // to its end lists the total.
        const bool calculated = m_calcPressed && m_summaryRebuilt;
        const Calculation now = calculation();
        const std::optional<Calculation> previous = std::exchange(m_lastCalculation, std::nullopt);
        if (!calculated)
            return {};
        m_lastCalculation = now;
        ++m_tally.calculations;
        m_tally.repeatedCalculations += previous ? 1 : 0;
        if (previous && *previous != now)
            return QStringLiteral("\"Calc. Score\" pressed again changed the sheet: summary [%1] score %2 "
                                  "low-speed points %3, before [%4] %5 %6")
                .arg(now.summary.join(QStringLiteral("; ")), now.score, now.lowSpeedPoints,
                     previous->summary.join(QStringLiteral("; ")), previous->score, previous->lowSpeedPoints);
        if (!now.summaryShown)
            return QStringLiteral("\"Calc. Score\" left the summary hidden");

        const bool enginesReadable = readsAsFiniteNumber(text(Engines(0)));
        const bool totalListed = !now.summary.isEmpty() && now.summary.back().endsWith(QLatin1String(" Total Score"));
        if (!totalListed) {
            // Only an engine count that cannot be read, or sums beyond any
            // number, stop the calculation short.
            const auto moderate = [this](Ctl field) { return std::fabs(leniently(text(field))) < 1e300; };
            if (enginesReadable && moderate(HS_Points) && moderate(LS_Points) && moderate(LandingPts))
                return QStringLiteral("\"Calc. Score\" stopped short with %1 engines: [%2]")
                    .arg(preview(text(Engines(0))), now.summary.join(QStringLiteral("; ")));
            return {};
        }
        if (!enginesReadable)
            return QStringLiteral("\"Calc. Score\" listed a total with %1 engines").arg(preview(text(Engines(0))));

        double listed = 0;
        for (const QString &line : now.summary) {
            if (line == QLatin1String(" 20.0 Multiple Engine Bonus"))
                listed += 20;
            for (const QString &suffix : {QStringLiteral(" Scale Points"), QStringLiteral(" Landing Points")}) {
                if (line.endsWith(suffix))
                    listed += leadingNumber(line, suffix);
            }
        }
        const double expected = leniently(text(HS_Points)) + leniently(text(LS_Points)) + listed;
        const double score = text(Score).toDouble();
        // The landing points are listed to a tenth and the score is rounded
        // to one: the two roundings may together make a tenth.
        const double tolerance = 0.1 + std::max(1.0, std::fabs(expected)) * 1e-12;
        if (!(std::fabs(score - expected) <= tolerance))
            return QStringLiteral("Score %1 is not HS_Points %2 + LS_Points %3 + %4 listed (%5)")
                .arg(text(Score), text(HS_Points), text(LS_Points))
                .arg(listed)
                .arg(expected);
        return {};
    }

    QString brokenReset()
    {
        // Reset counts unless leaving the field the focus was in failed its
        // check (a message) or sent the focus to the running engines.
        const bool blocked = !m_messages.isEmpty() || m_focusBefore == Engines(0);
        const bool resetRan = m_resetPressed && m_summaryRebuilt;
        if (m_resetPressed && !resetRan && !blocked)
            return QStringLiteral("\"Reset\" was pressed but did not reset the sheet");
        if (!resetRan)
            return {};
        ++m_tally.resets;
        QStringList wrong;
        const auto expect = [&](Ctl field, const char *wanted) {
            if (text(field) != QLatin1String(wanted))
                wrong << QStringLiteral("%1 %2").arg(ScoreSheetWindow::objectNameOf(field), preview(text(field)));
        };
        for (int i = 0; i <= 1; ++i) {
            expect(HS_Watch(i), "0");
            expect(LS_Watch(i), "0");
            expect(Engines(i), "1");
        }
        for (Ctl result : {HS_Time, HS_MPH, HS_Points, LS_Time, LS_MPH, LS_Points, LandingPts, Score})
            expect(result, "0");
        if (!checked(Class(0)))
            wrong << QStringLiteral("Class I not selected");
        if (!checked(ScalePts(0)) || checked(ScalePts(1)))
            wrong << QStringLiteral("scale points 0 not selected");
        if (!control(ScalePts(1))->isVisible() || control<QRadioButton>(ScalePts(1))->text() != QLatin1String("100"))
            wrong << QStringLiteral("the upper scale option is not the shown \"100\"");
        if (list(Summary)->isVisible() || list(Summary)->count() != 0)
            wrong << QStringLiteral("the summary is shown or not empty");
        if (m_program.sheet.rules().focus() != Class(0))
            wrong << QStringLiteral("the focus is not on Class I");
        return wrong.isEmpty() ? QString() : QStringLiteral("after Reset: ") + wrong.join(QStringLiteral(", "));
    }

    Program &m_program;
    const quint64 m_seed;
    std::mt19937_64 m_random;
    QTimer m_answerer;
    QElapsedTimer m_clock;
    int m_actionNumber = 0;
    std::deque<QString> m_log;

    // What the current action did and saw.
    QStringList m_messages;
    bool m_summaryRebuilt = false;
    bool m_calcPressed = false;
    bool m_resetPressed = false;
    std::optional<Ctl> m_focusBefore;
    std::optional<QString> m_expectedLanding;
    std::optional<qint64> m_slowestKeyMs;
    bool m_pressCalcAgain = false;
    // The sheet after the last action, when that action was a calculation.
    std::optional<Calculation> m_lastCalculation;

    struct {
        int messages = 0;
        int calculations = 0;
        int repeatedCalculations = 0;
        int resets = 0;
        int landings = 0;
        qint64 slowestMs = 0;
        QString slowestAction;
    } m_tally;
};

QtMessageHandler forwardMessage = nullptr;

// The offscreen platform warns at every raise and size hint; that is no finding.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    forwardMessage(type, context, message);
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomOperator_data();
    void randomOperator();
};

void MonkeyTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    registerTahoma();
    forwardMessage = qInstallMessageHandler(quietPlatform);
}

void MonkeyTest::randomOperator_data()
{
    QTest::addColumn<quint64>("seed");
    if (settings().seed) {
        QTest::addRow("seed-%llu", static_cast<unsigned long long>(*settings().seed)) << *settings().seed;
        return;
    }
    for (const quint64 seed : {20261208ull, 7ull, 1966ull})
        QTest::addRow("seed-%llu", static_cast<unsigned long long>(seed)) << seed;
}

void MonkeyTest::randomOperator()
{
    QFETCH(quint64, seed);
    qInfo("seed %llu, %d actions (to repeat: monkey_test --seed=%llu --actions=%d --trace)",
          static_cast<unsigned long long>(seed), settings().actions, static_cast<unsigned long long>(seed),
          settings().actions);

    Program program;
    QVERIFY2(program.start(), "the score sheet did not start");
    Monkey monkey(program, seed);
    const QString broken = monkey.run(settings().actions);
    qInfo("%s", qPrintable(monkey.tally()));
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
}

// QtTest refuses options it does not know, so ours are taken out first.
int main(int argc, char *argv[])
{
    std::vector<char *> passed;
    for (int i = 0; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("--seed="))
            settings().seed = argument.mid(7).toULongLong();
        else if (argument.startsWith("--actions="))
            settings().actions = argument.mid(10).toInt();
        else if (argument == "--trace")
            settings().trace = true;
        else
            passed.push_back(argv[i]);
    }
    int passedCount = static_cast<int>(passed.size());
    passed.push_back(nullptr);
    QApplication app(passedCount, passed.data());
    MonkeyTest test;
    return QTest::qExec(&test, passedCount, passed.data());
}

#include "monkey_test.moc"
