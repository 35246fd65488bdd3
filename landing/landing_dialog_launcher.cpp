#include "landing_dialog_launcher.h"

namespace orlo {

LandingDialogLauncher::LandingDialogLauncher(LandingPointsReceiver &sheet) : m_sheet(sheet) {}

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
    m_dialog = new LandingDialogWindow(m_sheet);
    if (!m_sheetOpen)
        m_dialog->rules().sheetClosed();
    m_dialog->show();
    m_dialog->activateWindow();
    m_dialog->rules().shown();
}

void LandingDialogLauncher::close()
{
    if (m_dialog)
        m_dialog->close();
}

void LandingDialogLauncher::sheetClosed()
{
    m_sheetOpen = false;
    if (m_dialog)
        m_dialog->rules().sheetClosed();
}

} // namespace orlo
