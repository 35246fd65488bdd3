#include "landing_dialog_launcher.h"
#include "score_sheet_window.h"
#include "tahoma_font.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Ties the windows to the menu entry, for the icon on Wayland desktops.
    QApplication::setDesktopFileName(QStringLiteral("org.orloscore.OrloScore"));
    orlo::registerTahoma();

    ScoreSheetWindow window;
    LandingDialogLauncher landing(window, window.rules());
    window.setLandingDialog([&] { landing.open(); }, [&] { landing.close(); });
    window.fitToScreen();
    window.show();
    window.activateWindow();
    window.rules().start();
    return QApplication::exec();
}
