#pragma once

#include "landing_dialog_window.h"

#include <QPointer>

namespace orlo {

// Opens and closes the landing points dialog for the score sheet: one dialog
// at a time, built afresh for each opening after the last one was closed.
class LandingDialogLauncher {
public:
    explicit LandingDialogLauncher(LandingPointsReceiver &sheet);
    ~LandingDialogLauncher();
    LandingDialogLauncher(const LandingDialogLauncher &) = delete;
    LandingDialogLauncher &operator=(const LandingDialogLauncher &) = delete;

    // Builds and shows a new dialog, or brings the open one forward unchanged.
    void open();
    void close();
    // The score sheet has closed: "Done" leaves it alone from now on.
    void sheetClosed();

    // The open dialog; null when none is open.
    LandingDialogWindow *dialog() const;

private:
    LandingPointsReceiver &m_sheet;
    bool m_sheetOpen = true;
    QPointer<LandingDialogWindow> m_dialog;
};

} // namespace orlo
