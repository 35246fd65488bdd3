#include "contest_journal.h"
#include "journal_reader.h"
#include "standings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// standings_bench [JOURNAL]: the standings of a contest of 100,000 flights by
// 5,000 contestants in six classes, ranked from the entry list and flights
// as the journal reads them; the best of five runs, printed and not
// asserted (goal under 100 ms). With a journal, also the whole read of its
// results, the journal's reading included.
int main(int argc, char *argv[])
{
    using namespace orlo;
    using Clock = std::chrono::steady_clock;
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
        const contest::Results results =
            contest::rank(reader.contest(), reader.entries(), reader.scoredFlights());
        std::printf("results read from %s (%d flights): %.1f ms\n", argv[1], count,
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        (void)results;
    }
    return 0;
}
