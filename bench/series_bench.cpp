#include "series_standings.h"
#include "standings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// series_bench: a season of 20 contests of 300 contestants each, in two
// classes and their combination, two official flights each, every contest
// ranked by the contest's own ranking and then the series ranked: place
// points in one class, per cent of the winner in the other, low point for
// the combination, the best 15 contests counting. A third of the
// contestants have no number and are matched by name, some spelt with and
// without accents. The best of five runs, printed and not asserted (goal:
// the series well under a second, the contests' own ranking included).
namespace {

using Clock = std::chrono::steady_clock;
using namespace orlo::contest;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

constexpr int contests = 20;
constexpr int contestants = 300;

std::string nameOf(int contestant, int contest)
{
    // Every fifth contestant's name is spelt without its accents at every other contest.
    const bool plain = contestant % 5 == 0 && contest % 2 == 1;
    return (plain ? "Jose Nunez " : "José Núñez ") + std::to_string(contestant);
}

struct Season {
    std::vector<ContestSettings> settings;
    std::vector<std::vector<Entry>> entries;
    std::vector<std::vector<ScoredFlight>> flights;
};

Season seasonOf()
{
    Season season;
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % 100000u;
    };
    for (int contest = 0; contest < contests; ++contest) {
        ClassRule one, two;
        one.caption = "Class I";
        two.caption = "Class II";
        one.final = two.final = true;
        season.settings.push_back({"Contest " + std::to_string(contest + 1), {}, {}, {one, two},
                                   {{"Class I + Class II", {"Class I", "Class II"}}}});
        std::vector<Entry> &entries = season.entries.emplace_back();
        std::vector<ScoredFlight> &flights = season.flights.emplace_back();
        for (int contestant = 0; contestant < contestants; ++contestant) {
            const std::string number = contestant % 3 == 0 ? std::string() : std::to_string(contestant);
            entries.push_back({contestant + 1, nameOf(contestant, contest), number, {"Class I", "Class II"}, 0});
            for (const char *caption : {"Class I", "Class II"})
                for (int flight = 0; flight < 2; ++flight) {
                    ScoredFlight flown;
                    flown.id = std::int64_t(flights.size()) + 1;
                    flown.entry = contestant + 1;
                    flown.contestant = entries.back().name;
                    flown.number = number;
                    flown.classCaption = caption;
                    const unsigned tenths = 2000 + next() % 2000;
                    flown.score = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
                    flights.push_back(flown);
                }
        }
    }
    return season;
}

} // namespace

int main()
{
    const Season season = seasonOf();
    SeriesSettings series;
    series.name = "Club championship";
    series.rules = {{"Class I"}, {"Class II", SeriesScheme::PerCentOfWinner}, {"Class I + Class II", SeriesScheme::LowPoint}};
    series.counted = CountedContests::Best;
    series.best = 15;
    double bestContests = 1e9, bestSeries = 1e9;
    std::size_t rows = 0;
    for (int run = 0; run < 5; ++run) {
        const Clock::time_point start = Clock::now();
        std::vector<SeriesContest> ranked;
        for (int contest = 0; contest < contests; ++contest)
            ranked.push_back({std::to_string(contest), season.settings[std::size_t(contest)].name,
                              rank(season.settings[std::size_t(contest)], season.entries[std::size_t(contest)],
                                   season.flights[std::size_t(contest)])});
        bestContests = std::min(bestContests, msSince(start));
        const Clock::time_point seriesStart = Clock::now();
        const SeriesStandings standings = rankSeries(series, ranked);
        bestSeries = std::min(bestSeries, msSince(seriesStart));
        rows = 0;
        for (const SeriesTable &table : standings.tables)
            rows += table.rows.size();
    }
    std::printf("series of %d contests x %d contestants (%zu series lines): contests ranked %.1f ms, series ranked "
                "%.1f ms, together %.1f ms (goal: well under 1000 ms)\n",
                contests, contestants, rows, bestContests, bestSeries, bestContests + bestSeries);
    return 0;
}
