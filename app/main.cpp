#include "command_line.h"
#include "designed_palette.h"
#include "file_dialog.h"
#include "orlo_program.h"
#include "tahoma_font.h"
#include "window_place.h"

#include <QApplication>
#include <QStandardPaths>

#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORLO_SHOWN_VERSION));

    // The help, the version, an export, a backup and the results need no display.
    if (orlo::runsWithoutWindow(argc, argv)) {
        const bool pages = orlo::drawsPages(argc, argv);
        if (pages)
            orlo::prepareToDrawPages();
        const std::unique_ptr<QCoreApplication> app = pages ? std::make_unique<QGuiApplication>(argc, argv)
                                                            : std::make_unique<QCoreApplication>(argc, argv);
        const auto parsed = orlo::parseCommandLine(QCoreApplication::arguments());
        if (const int *status = std::get_if<int>(&parsed))
            return *status;
        return orlo::runJournalCommand(std::get<orlo::StartOptions>(parsed));
    }

    QApplication app(argc, argv);
    orlo::keepDialogsFromReadingFiles();
    // Parsed after Qt has taken its own options (-platform, -style, ...).
    const auto parsed = orlo::parseCommandLine(QApplication::arguments());
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const orlo::StartOptions &options = std::get<orlo::StartOptions>(parsed);

    // Ties the windows to the menu entry, for the icon on Wayland desktops.
    QApplication::setDesktopFileName(QStringLiteral("org.orloscore.OrloScore"));
    orlo::registerTahoma();
    QApplication::setStyle(orlo::designedStyle());

    // The windows open where the director last put them.
    orlo::keepPlacesIn(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                       + QStringLiteral("/windows.ini"));
    orlo::OrloProgram program(options.journalPath);
    program.start(options.journalWindow ? orlo::OrloProgram::FlightsWindow::BesideTheSheet
                                        : orlo::OrloProgram::FlightsWindow::Closed);
    return QApplication::exec();
}
