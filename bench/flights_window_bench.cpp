// How long the flights window takes to open on a journal of a whole season:
// 100,000 flights, built once into a temporary folder, then the window built,
// shown and painted. Prints the figures; the goal is under 200 ms.
#include "flight_table_model.h"
#include "flights_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

namespace {

constexpr int flightCount = 100'000;

orlo::CalculationRecord calculationOf(int flight)
{
    static const char *const captions[] = {"Class I", "Class II", "Profile", "Sport Jet", "Navy Carrier", "Skyray Carrier"};
    const std::string caption = captions[flight % 6];
    const std::string tenth = std::to_string(flight % 10);
    orlo::CalculationRecord record;
    record.classCaption = caption;
    record.highSpeedWatches = {"12." + tenth, "12.4"};
    record.lowSpeedWatches = {"25", ""};
    record.highSpeedTime = "12.35";
    record.highSpeedMph = "145.690347590725";
    record.highSpeedPoints = "145.7";
    record.lowSpeedTime = "25";
    record.lowSpeedMph = "71.9710317098182";
    record.lowSpeedPoints = "20.2";
    record.engines = {"1", "1"};
    record.scalePoints = "100";
    record.landingPoints = "95";
    record.score = "360.9";
    record.summary = {caption, "145.7 High Speed Points", "20.2 Low Speed Points", "100.0 Scale Points",
                      "95.0 Landing Points", "360.9 Total Score"};
    return record;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("journal.sqlite")).toStdString();
    QElapsedTimer clock;
    clock.start();
    {
        orlo::journal::FlightJournal journal(path);
        // Ten flights a minute over the season's days, from 1 June.
        std::time_t now = 1780300800;
        journal.setClock([&now] { return now; });
        journal.recordInOneTransaction([&now](orlo::FlightObserver &record) {
            for (int flight = 0; flight < flightCount; ++flight) {
                now += flight % 400 == 0 ? 86400 - 400 * 6 : 6;
                record.calculated(calculationOf(flight));
                record.flightEnded();
            }
        });
        if (!journal.isWorking()) {
            out << "the journal could not be filled: " << QString::fromStdString(journal.problem()) << "\n";
            return 1;
        }
    }
    out << "filled " << flightCount << " flights in " << clock.elapsed() << " ms\n";

    {
        orlo::journal::FlightJournal journal(path);
        clock.restart();
        const auto flights = journal.flights();
        const qint64 listed = clock.restart();
        const auto days = journal.days();
        const qint64 dayed = clock.restart();
        const auto captions = journal.classCaptions();
        const qint64 classed = clock.restart();
        const auto count = journal.flightCount();
        out << "the journal alone: " << flights.size() << " flights in " << listed << " ms, " << days.size()
            << " days in " << dayed << " ms, " << captions.size() << " classes in " << classed << " ms, counted "
            << count << " in " << clock.elapsed() << " ms\n";
    }
    for (int opening = 1; opening <= 3; ++opening) {
        clock.restart();
        orlo::journal::FlightJournal journal(path);
        FlightsWindow window(journal);
        window.show();
        window.repaint();
        QApplication::processEvents();
        const qint64 opened = clock.elapsed();
        out << "opening " << opening << ": flights window shown on " << journal.flightCount() << " flights in "
            << opened << " ms (goal: under 200 ms)\n";
        out.flush();
    }
    return 0;
}
