#include "landing_dialog_launcher.h"

LandingDialogLauncher::LandingDialogLauncher(orlo::SheetFields &sheet, orlo::ScoreSheet &sheetRules)
    : m_sheet(sheet), m_sheetRules(sheetRules)
{
}

// A dialog still open when the program ends goes with the launcher, before
// the application object that its widgets need.
LandingDialogLauncher::~LandingDialogLauncher()
{
    delete m_dialog.data();
}

LandingDialogWindow *LandingDialogLauncher::dialog() const
{
    // A closed dialog is hidden at once and deleted later; it no longer counts.
    return m_dialog && m_dialog->isVisible() ? m_dialog.data() : nullptr;
}

void LandingDialogLauncher::open()
{
    if (LandingDialogWindow *open = dialog()) {
        open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
        open->raise();
        open->activateWindow();
        return;
    }
    m_dialog = new LandingDialogWindow(m_sheet, m_sheetRules);
    m_dialog->show();
    m_dialog->activateWindow();
    m_dialog->rules().shown();
}

void LandingDialogLauncher::close()
{
    if (m_dialog)
        m_dialog->close();
}
