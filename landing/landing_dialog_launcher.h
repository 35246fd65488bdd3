#pragma once

#include "landing_dialog_window.h"

#include <QPointer>

// Opens and closes the landing points dialog for the score sheet: one dialog
// at a time, built afresh for each opening after the last one was closed.
class LandingDialogLauncher {
public:
    LandingDialogLauncher(orlo::SheetFields &sheet, orlo::ScoreSheet &sheetRules);
    ~LandingDialogLauncher();
    LandingDialogLauncher(const LandingDialogLauncher &) = delete;
    LandingDialogLauncher &operator=(const LandingDialogLauncher &) = delete;

    // Builds and shows a new dialog, or brings the open one forward unchanged.
    void open();
    void close();

    // The open dialog; null when none is open.
    LandingDialogWindow *dialog() const;

private:
    orlo::SheetFields &m_sheet;
    orlo::ScoreSheet &m_sheetRules;
    QPointer<LandingDialogWindow> m_dialog;
};
