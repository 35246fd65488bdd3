#include "contest_journal.h"
#include "flight_journal.h"
#include "journal_filler.h"
#include "journal_reader.h"
#include "standings.h"
#include "standings_reader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

// standings_bench [JOURNAL]: the standings of a contest of 100,000 flights by
// 5,000 contestants in six classes, ranked from the entry list and flights
// as the journal reads them; the best of five runs, printed and not
// asserted (goal under 100 ms). With a journal, also the whole read of its
// results, the journal's reading included, and on a copy of it the
// Standings window's read after one flight recorded, one corrected and the
// contest changed (goal under 50 ms after a flight). Then the Standings
// window's reads on one contest of 5,000 flights against the same contest
// among 20 of as many, which should take as long: each reads its contest.
namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The time this thread has had of a core: on a busy machine the clock's
// time counts the other programs' turns too.
double coreMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The Standings window's reads after each of five changes: the best and the slowest.
void timeRefreshes(orlo::journal::StandingsReader &standings, const char *after, const std::function<void(int)> &change)
{
    double best = 1e9, slowest = 0, bestCore = 1e9;
    for (int run = 0; run < 5; ++run) {
        change(run);
        const auto start = Clock::now();
        const double startCore = coreMs();
        standings.read();
        bestCore = std::min(bestCore, coreMs() - startCore);
        best = std::min(best, msSince(start));
        slowest = std::max(slowest, msSince(start));
    }
    std::printf("  read again after %s: %.1f ms (%.1f ms of a core), slowest %.1f ms\n", after, best, bestCore,
                slowest);
}

void timeStandingsWindow(const std::string &path)
{
    using namespace orlo;
    const std::string copy =
        (std::filesystem::temp_directory_path() / ("standings_bench-" + std::to_string(getpid()) + ".sqlite")).string();
    journal::backUpJournal(path, copy);
    {
        // The program records into the journal before the window opens,
        // which turns the copy's single file into a journal with its log.
        journal::FlightJournal recorder(copy);
        journal::ContestJournal director(copy);
        CalculationRecord flight;
        flight.score = "312.5";
        flight.classCaption = "Class I";
        recorder.calculated(flight);
        recorder.flightEnded();
        journal::StandingsReader standings(copy);
        const auto start = Clock::now();
        const contest::Results first = standings.read();
        std::printf("Standings window on a copy: first read %.1f ms\n", msSince(start));
        timeRefreshes(standings, "one flight recorded (goal under 50 ms)", [&](int run) {
            recorder.flightEnded();
            recorder.nowFlying(first.classes.front().rows.empty() ? 0 : first.classes.front().rows.front().entry);
            flight.score = std::to_string(300 + run) + ".5";
            recorder.calculated(flight);
        });
        const std::int64_t corrected = journal::JournalReader(copy).flights().front().id;
        timeRefreshes(standings, "a flight marked void or official again", [&](int run) {
            director.setStatus(corrected, run % 2 == 0 ? contest::FlightStatus::Void : contest::FlightStatus::Official,
                               "bench");
        });
        timeRefreshes(standings, "the contest changed", [&](int run) {
            contest::ContestSettings settings = journal::JournalReader(copy).contest();
            settings.name = "Bench " + std::to_string(run);
            director.setContest(settings);
        });
    }
    for (const char *suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(copy + suffix);
}

// The best of five: a Standings window opened afresh on the journal at path
// each time, or kept open while a flight is recorded before each read.
orlo::bench::Took bestFirstRead(const std::string &path)
{
    orlo::bench::Took best;
    for (int run = 0; run < 5; ++run) {
        orlo::journal::StandingsReader standings(path);
        orlo::bench::timeBest(best, [&] { standings.read(); });
    }
    return best;
}

orlo::bench::Took bestReadAfterFlight(const std::string &path)
{
    orlo::journal::FlightJournal recorder(path);
    orlo::journal::StandingsReader standings(path);
    standings.read();
    orlo::CalculationRecord flight;
    flight.classCaption = "Class I";
    orlo::bench::Took best;
    for (int run = 0; run < 5; ++run) {
        flight.score = std::to_string(300 + run) + ".5";
        recorder.calculated(flight);
        recorder.flightEnded();
        orlo::bench::timeBest(best, [&] { standings.read(); });
    }
    return best;
}

void compareSeason()
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("standings_bench-season-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const orlo::bench::SeasonJournals journals(folder.string(), 20, 5000);
    if (journals.filled()) {
        journals.compare("Standings, first read", bestFirstRead);
        journals.compare("Standings, read again after a flight recorded", bestReadAfterFlight);
    } else {
        std::printf("the season's journals could not be filled in %s\n", folder.c_str());
    }
    std::filesystem::remove_all(folder);
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace orlo;
    const char *classes[] = {"Class I", "Class II", "Profile", "Sportsman", ".15 Carrier", "Skyray Carrier"};
    constexpr int contestants = 5000;
    constexpr int flightCount = 100000;

    std::vector<contest::Entry> entries;
    for (int i = 0; i < contestants; ++i)
        entries.push_back({i + 1, "Contestant " + std::to_string(i + 1), std::to_string(1000 + i),
                           {classes[i % 6], classes[(i + 1) % 6]}, 0});
    std::vector<contest::ScoredFlight> flights;
    for (int i = flightCount; i > 0; --i) {
        contest::ScoredFlight &flight = flights.emplace_back();
        flight.id = i;
        flight.entry = i % 7 == 0 ? 0 : i % contestants + 1;
        flight.status = i % 13 == 0   ? contest::FlightStatus::Attempt
                        : i % 29 == 0 ? contest::FlightStatus::Void
                                      : contest::FlightStatus::Official;
        flight.classCaption = classes[(i % contestants + i / contestants % 2) % 6];
        const int tenths = 1500 + (i * 37) % 2000;
        flight.score = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    }
    contest::ContestSettings contest;
    contest.combinations.push_back({"Profile + Class I + Class II", {"Profile", "Class I", "Class II"}});

    double best = 1e9;
    std::size_t rows = 0;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        const contest::Results results = contest::rank(contest, entries, flights);
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        rows = 0;
        for (const contest::ClassStandings &standings : results.classes)
            rows += standings.rows.size();
    }
    std::printf("standings of %d flights, %d contestants: %zu lines in %.1f ms (goal under 100 ms)\n", flightCount,
                contestants, rows, best);

    if (argc > 1) {
        // Opened first: opening checks the file, which a window does once.
        const journal::JournalReader reader(argv[1]);
        const int count = reader.flightCount();
        const auto start = Clock::now();
        const double startCore = coreMs();
        const contest::Results results =
            contest::rank(reader.contest(), reader.entries(), reader.scoredFlights());
        std::printf("results read from %s (%d flights): %.1f ms (%.1f ms of a core)\n", argv[1], count,
                    msSince(start), coreMs() - startCore);
        (void)results;
        timeStandingsWindow(argv[1]);
    }
    compareSeason();
    return 0;
}
