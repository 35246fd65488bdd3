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

    // Text boxes lay out their text once in the application's font before
    // they take the sheet's: with the sheet's font standing in while the
    // window is made, no font is loaded that the window never shows.
    const QFont systemFont = QApplication::font();
    QApplication::setFont(orlo::tahomaBold());
    ScoreSheetWindow window;
    QApplication::setFont(systemFont);
    LandingDialogLauncher landing(window, window.rules());
    window.setLandingDialog([&] { landing.open(); }, [&] { landing.close(); });
    window.show();
    window.activateWindow();
    window.rules().start();
    return QApplication::exec();
}
