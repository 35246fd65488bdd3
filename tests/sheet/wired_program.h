#pragma once

#include "landing_dialog_launcher.h"
#include "score_sheet_window.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

// The real score sheet window with the landing dialog wired to it as the
// program wires them, for the tests that drive the two together.
struct WiredProgram {
    ScoreSheetWindow sheet;
    LandingDialogLauncher landing{sheet, sheet.rules()};

    WiredProgram();

    // Shows, activates and starts the sheet, in the program's order.
    void launch();
    // ... and waits until the sheet is active with the rules' focus on the first class.
    bool start();

    QWidget *control(orlo::Ctl name) const;
    QString text(orlo::Ctl field) const;
};

// Answers every message box with OK and keeps its text: a box shown by a
// window the operator has closed would otherwise wait for ever.
class MessageRecorder : public QObject {
public:
    MessageRecorder();

    QStringList texts() const { return m_texts; }
    QStringList take();

private:
    QTimer m_timer;
    QStringList m_texts;
};
