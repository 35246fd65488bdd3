#pragma once

#include "score_sheet_window.h"
#include "expected_messages.h"

#include <QObject>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <utility>

// Drives the real score sheet window as the official does, with keyboard and
// mouse events, and reads back what it shows; shared by the sheet's tests.

// Answers every message box with OK, as the operator would, and keeps what
// each box said. It never waits: it runs inside the box's own event loop.
class MessageAnswerer final : public QObject {
public:
    MessageAnswerer();

    QStringList texts() const { return m_texts; }
    QStringList faults() const { return m_faults; }
    // The texts answered since the last take.
    QStringList take() { return std::exchange(m_texts, {}); }

private:
    void answer();

    QTimer m_timer;
    QStringList m_texts;
    QStringList m_faults;
};

// Names the application as the program does, says which window system the
// tests run on, and registers the Tahoma-metric fonts: false without them.
bool prepareSheetTests();

template <typename Widget = QWidget>
Widget *widgetOf(const orlo::ScoreSheetWindow &window, orlo::Ctl control)
{
    return window.findChild<Widget *>(orlo::ScoreSheetWindow::objectNameOf(control));
}

QString textOf(const orlo::ScoreSheetWindow &window, orlo::Ctl control);

QString focusName();

QString rulesFocusName(orlo::ScoreSheetWindow &window);

// The window has the focus where the rules think it is, and no report of
// the operator's is waiting for the rules.
bool settledAt(orlo::ScoreSheetWindow &window, const QString &name);

// Shows the sheet the way the program starts: show, activate, start.
bool startSheet(orlo::ScoreSheetWindow &window);

// Clicks a control where the operator would: an option on its round button.
bool mouseOn(QWidget *widget);

bool mouseOn(const orlo::ScoreSheetWindow &window, orlo::Ctl control);

// Clicks a control and waits until the rules have heard of the move.
bool clickOn(orlo::ScoreSheetWindow &window, orlo::Ctl control);

// Keys go where the focus is, once the window has it.
bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = {});

bool type(const QString &typed);

// Clicks into a field and types, replacing what entry selected.
bool typeInto(orlo::ScoreSheetWindow &window, orlo::Ctl field, const QString &typed);

// Leaves the focused field with Tab and waits for the rules to follow.
bool tabOn(orlo::ScoreSheetWindow &window);

QStringList summaryOf(const orlo::ScoreSheetWindow &window);

// Types both runs of the worked example: HS 12.3 and 12.4, LS 25 and nothing.
bool enterWorkedRuns(orlo::ScoreSheetWindow &window);
