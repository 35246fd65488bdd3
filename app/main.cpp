#include "landing_dialog_launcher.h"
#include "score_sheet_window.h"
#include "sheet_artwork.h"
#include "tahoma_font.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setWindowIcon(orlo::stopwatchIcon());
    orlo::registerTahoma();

    ScoreSheetWindow window;
    LandingDialogLauncher landing(window, window.rules());
    window.setLandingDialog([&] { landing.open(); }, [&] { landing.close(); });
    window.show();
    window.activateWindow();
    window.rules().start();
    return QApplication::exec();
}
