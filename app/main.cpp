#include "flight_journal.h"
#include "flights_window_launcher.h"
#include "journal_problem_notice.h"
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

    // The journal and the flights window outlive the sheet, which ends its
    // flight as it closes.
    orlo::journal::FlightJournal journal(orlo::journal::defaultJournalPath());
    FlightsWindowLauncher flights(journal);

    ScoreSheetWindow window;
    LandingDialogLauncher landing(window, window.rules());
    window.setLandingDialog([&] { landing.open(); }, [&] { landing.close(); });
    window.rules().setObserver(&flights);
    QObject::connect(&window, &ScoreSheetWindow::journalRequested, &window, [&flights] { flights.open(); });
    journal.setProblemHandler([&window](const std::string &problem) {
        JournalProblemNotice::showLater(QString::fromStdString(problem), &window);
    });

    window.show();
    window.activateWindow();
    window.rules().start();
    if (QApplication::arguments().contains(QStringLiteral("--journal-window")))
        flights.open(FlightsWindowLauncher::Activation::BesideTheSheet);
    return QApplication::exec();
}
