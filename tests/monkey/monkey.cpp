// The monkey's run: each action let settle and checked, every message answered, the last actions kept for the report.
#include "monkey.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace orlo::monkey {

using namespace orlo::ctl;

namespace {

// Past this many messages for one action the program is taken to be stuck
// in a loop of messages; the run ends there rather than wait for ever.
constexpr int messagesMeaningStuck = 25;
// An action that has not ended after a minute has hung. Nothing tighter:
// how long an action takes depends on the machine, its load and the build,
// so the slowest one is reported, not judged.
constexpr qint64 hangMs = 60000;
constexpr std::size_t logTail = 40;

} // namespace

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

Monkey::Monkey(WiredProgram &program, quint64 seed, bool trace)
    : m_program(program), m_seed(seed), m_trace(trace), m_random(seed)
{
    m_answerer.setInterval(2);
    connect(&m_answerer, &QTimer::timeout, this, &Monkey::answerMessage);
    m_answerer.start();
    QAbstractItemModel *summary = list(Summary)->model();
    connect(summary, &QAbstractItemModel::modelReset, this, [this] { m_summaryRebuilt = true; });
    connect(summary, &QAbstractItemModel::rowsRemoved, this, [this] { m_summaryRebuilt = true; });
}

QString Monkey::run(int actions)
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
        if (m_trace)
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

QString Monkey::tally() const
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

void Monkey::note(const QString &action)
{
    const QString line = QStringLiteral("#%1 %2").arg(m_actionNumber).arg(action);
    m_log.push_back(line);
    if (m_log.size() > logTail)
        m_log.pop_front();
    if (m_trace)
        std::fprintf(stderr, "%s\n", qPrintable(line));
}

QString Monkey::failure(const QString &what) const
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
QString Monkey::state() const
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
void Monkey::answerMessage()
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
bool Monkey::settle()
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

bool Monkey::focusAgrees() const
{
    const auto known = m_program.sheet.rules().focus();
    const QWidget *real = m_program.sheet.focusWidget();
    return known && real && real->objectName() == ScoreSheetWindow::objectNameOf(*known);
}

// The widget the keyboard goes to; the sheet takes it back when no
// window is active.
QWidget *Monkey::keyboardTarget()
{
    if (QWidget *focused = QApplication::focusWidget())
        return focused;
    m_program.sheet.activateWindow();
    QCoreApplication::processEvents();
    return QApplication::focusWidget() ? QApplication::focusWidget() : &m_program.sheet;
}

} // namespace orlo::monkey
