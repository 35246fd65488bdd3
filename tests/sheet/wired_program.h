#pragma once

#include "orlo_program.h"
#include "sheet_driver.h"


// The program itself, for the tests that drive its windows together: the
// sheet and its landing dialog and, given a journal path, the journal and
// the flights window.
struct WiredProgram {
    orlo::OrloProgram program;
    orlo::ScoreSheetWindow &sheet = program.sheet();
    orlo::LandingDialogLauncher &landing = program.landing();

    explicit WiredProgram(const QString &journalPath = {}) : program(journalPath) {}

    // Starts the program as main() does.
    void launch() { program.start(); }
    // ... and waits until the sheet is active with the rules' focus on the first class.
    bool start();

    QWidget *control(orlo::Ctl name) const;
    QString text(orlo::Ctl field) const;
};
