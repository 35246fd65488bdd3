// How long the flights window takes to open on a journal of a whole season:
// 100,000 flights, built once into a temporary folder, then the window built,
// shown and painted. Prints the figures; the goal is under 200 ms.
#include "flights_window.h"
#include "journal_filler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    constexpr int flightCount = 100'000;
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("journal.sqlite")).toStdString();
    QElapsedTimer clock;
    clock.start();
    if (!orlo::bench::fillJournal(path, flightCount)) {
        out << "the journal could not be filled\n";
        return 1;
    }
    out << "filled " << flightCount << " flights in " << clock.elapsed() << " ms\n";

    for (int opening = 1; opening <= 3; ++opening) {
        clock.restart();
        orlo::journal::FlightJournal journal(path);
        orlo::FlightsWindow window(journal);
        window.show();
        window.repaint();
        QApplication::processEvents();
        const qint64 opened = clock.elapsed();
        out << "opening " << opening << ": flights window shown on " << orlo::journal::JournalReader(path).flightCount() << " flights in "
            << opened << " ms (goal: under 200 ms)\n";
        out.flush();
    }
    return 0;
}
