// The monkey test's shared parts: what a calculation leaves, and the operator itself.
#pragma once

#include "landing_dialog_window.h"
#include "wired_program.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QObject>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <optional>
#include <random>

namespace orlo::monkey {

// A text shown in a report: control characters escaped, a long one cut.
QString preview(const QString &text);

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
// each action checks what must hold whatever was typed. Its run and report
// are in monkey.cpp, its actions in monkey_actions.cpp, the rules it checks
// in monkey_checks.cpp.
class Monkey : public QObject {
public:
    // With trace, every action is printed before it is done, and the fields
    // after it (to find the one that crashes).
    Monkey(WiredProgram &program, quint64 seed, bool trace);

    // The first broken rule, with the seed and the last actions; empty when
    // every action kept every rule.
    QString run(int actions);

    // How much the run checked, so that a run that checks nothing shows.
    QString tally() const;

private:
    std::uint64_t pick(std::uint64_t count) { return m_random() % count; }
    bool chance(int percent) { return pick(100) < static_cast<std::uint64_t>(percent); }

    template <typename Widget = QWidget>
    Widget *control(Ctl name) const
    {
        return m_program.sheet.findChild<Widget *>(ScoreSheetWindow::objectNameOf(name));
    }
    QListWidget *list(Ctl name) const { return control<QListWidget>(name); }
    QString text(Ctl field) const { return m_program.text(field); }
    bool checked(Ctl option) const
    {
        const auto *button = control<QRadioButton>(option);
        return button && button->isChecked();
    }
    LandingDialogWindow *dialog() const { return m_program.landing.dialog(); }

    // The run and its report.
    void note(const QString &action);
    QString failure(const QString &what) const;
    QString state() const;
    void answerMessage();
    bool settle();
    bool focusAgrees() const;
    QWidget *keyboardTarget();

    // The actions.
    static bool isExit(const QWidget *widget);
    void noteKeyOnButton(const QWidget *target, Qt::Key key);
    void act();
    void tab(bool forward);
    void clickOn(Ctl name);
    void clickInto(Ctl field);
    static void activateForClick(QWidget *window);
    QString randomText();
    QString randomPaste();
    void typeHere(const QString &typed);
    void paste(const QString &pasted);
    void pressKey();
    void actOnDialog();

    // The checks after each action.
    Calculation calculation() const;
    QString brokenRule();
    QString brokenCalculation();
    QString brokenReset();

    WiredProgram &m_program;
    const quint64 m_seed;
    const bool m_trace;
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

} // namespace orlo::monkey
