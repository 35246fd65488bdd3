#include "command_line.h"
#include "designed_palette.h"
#include "flight_journal.h"
#include "flights_window_launcher.h"
#include "journal_problem_notice.h"
#include "landing_dialog_launcher.h"
#include "score_sheet_window.h"
#include "tahoma_font.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));

    // The help, the version, an export and a backup need no display.
    if (runsWithoutWindow(argc, argv)) {
        QCoreApplication app(argc, argv);
        const auto parsed = parseCommandLine(QCoreApplication::arguments());
        if (const int *status = std::get_if<int>(&parsed))
            return *status;
        return runJournalCommand(std::get<StartOptions>(parsed));
    }

    QApplication app(argc, argv);
    // Parsed after Qt has taken its own options (-platform, -style, ...).
    const auto parsed = parseCommandLine(QApplication::arguments());
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const StartOptions &options = std::get<StartOptions>(parsed);

    // Ties the windows to the menu entry, for the icon on Wayland desktops.
    QApplication::setDesktopFileName(QStringLiteral("org.orloscore.OrloScore"));
    orlo::registerTahoma();
    QApplication::setStyle(orlo::designedStyle());

    // The journal and the flights window outlive the sheet, which ends its
    // flight as it closes. The sheet's flights reach the journal through the
    // flights window's launcher, which shows them in the open window.
    std::unique_ptr<orlo::journal::FlightJournal> journal;
    std::unique_ptr<FlightsWindowLauncher> flights;
    if (!options.journalPath.isEmpty()) {
        journal = std::make_unique<orlo::journal::FlightJournal>(options.journalPath.toStdString());
        flights = std::make_unique<FlightsWindowLauncher>(*journal);
    }

    // Text boxes lay out their text once in the application's font before
    // they take the sheet's: with the sheet's font standing in while the
    // window is made, no font is loaded that the window never shows.
    const QFont systemFont = QApplication::font();
    QApplication::setFont(orlo::tahomaBold());
    ScoreSheetWindow window;
    QApplication::setFont(systemFont);
    window.rules().setObserver(flights.get());
    LandingDialogLauncher landing(window, window.rules());
    window.setLandingDialog([&] { landing.open(); }, [&] { landing.close(); });
    if (journal) {
        journal->setProblemHandler([&window](const std::string &problem) {
            std::fprintf(stderr, "Orlo_Score: %s\n", problem.c_str());
            JournalProblemNotice::showLater(QString::fromStdString(problem), &window);
        });
        QObject::connect(&window, &ScoreSheetWindow::journalRequested, &window, [&flights] { flights->open(); });
    }
    window.fitToScreen();
    window.show();
    if (flights)
        flights->openJournalAfterFirstFrame(window);
    window.activateWindow();
    window.rules().start();
    if (flights && options.journalWindow)
        flights->open(FlightsWindowLauncher::Activation::BesideTheSheet);
    return QApplication::exec();
}
