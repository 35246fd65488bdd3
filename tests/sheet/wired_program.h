#pragma once

#include "orlo_program.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

// The program itself, for the tests that drive its windows together: the
// sheet and its landing dialog and, given a journal path, the journal and
// the flights window.
struct WiredProgram {
    orlo::OrloProgram program;
    ScoreSheetWindow &sheet = program.sheet();
    LandingDialogLauncher &landing = program.landing();

    explicit WiredProgram(const QString &journalPath = {}) : program(journalPath) {}

    // Starts the program as main() does.
    void launch() { program.start(); }
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
