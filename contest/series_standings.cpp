#include "series_standings.h"

#include "contestant_names.h"
#include "decimal.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace orlo::contest {

SeriesRule seriesRuleFor(const SeriesSettings &series, const std::string &caption)
{
    for (const SeriesRule &rule : series.rules)
        if (sameName(rule.caption, caption))
            return SeriesRule{caption, rule.scheme, rule.placePoints, rule.sharedPlaces};
    return SeriesRule{caption};
}

bool seriesCounts(const SeriesSettings &series, const std::string &contest)
{
    return series.contests.empty()
        || std::find(series.contests.begin(), series.contests.end(), contest) != series.contests.end();
}

bool SeriesStandings::provisional() const
{
    return std::any_of(tables.begin(), tables.end(), [](const SeriesTable &table) { return !table.stillRunning.empty(); });
}

namespace {

// A placed contestant of one contest: the place and the score it was ranked by.
struct Placing {
    std::size_t contestant;
    int rank;
    Decimal score;
};

// A contest that held the class: its placings, ranked.
struct Held {
    std::string name;
    std::vector<Placing> placings;
};

// Wide enough for a score in millionths times 10,000, which 64 bits are not.
__extension__ typedef __int128 Wide;

// numerator / denominator rounded half away from zero.
std::int64_t divided(Wide numerator, Wide denominator)
{
    const bool negative = (numerator < 0) != (denominator < 0);
    if (numerator < 0)
        numerator = -numerator;
    if (denominator < 0)
        denominator = -denominator;
    const auto quotient = static_cast<std::int64_t>((numerator * 2 + denominator) / (denominator * 2));
    return negative ? -quotient : quotient;
}

// The decimals a value needs to be shown whole, at most six.
int decimalsNeeded(std::int64_t millionths)
{
    int decimals = 6;
    while (decimals > 0 && millionths % 10 == 0) {
        millionths /= 10;
        --decimals;
    }
    return decimals;
}

constexpr std::int64_t tenPower[] = {1'000'000, 100'000, 10'000, 1'000, 100, 10, 1};

// The mean of a sum of points over the places held together: exact when it
// can be shown with the table's decimals or two, else to two decimals.
Decimal meanOf(std::int64_t sum, int count, int tableDecimals)
{
    const int decimals = std::max(tableDecimals, 2);
    if (sum % count == 0 && decimalsNeeded(sum / count) <= decimals)
        return Decimal::ofMillionths(sum / count, std::max(tableDecimals, decimalsNeeded(sum / count)));
    const std::int64_t step = tenPower[decimals];
    return Decimal::ofMillionths(divided(sum, Wide(count) * step) * step, decimals);
}

// Each placed contestant's points in one contest, in the order of the placings.
std::vector<Decimal> pointsOf(const Held &held, const SeriesRule &rule)
{
    std::vector<Decimal> points;
    switch (rule.scheme) {
    case SeriesScheme::LowPoint:
        for (const Placing &placing : held.placings)
            points.push_back(Decimal::ofMillionths(std::int64_t(placing.rank) * 1'000'000, 0));
        break;
    case SeriesScheme::PerCentOfWinner: {
        Decimal winner;
        for (const Placing &placing : held.placings)
            if (placing.rank == 1)
                winner = std::max(winner, placing.score);
        // The score ÷ the winner's × 1000 in tenths, so to one decimal.
        for (const Placing &placing : held.placings)
            points.push_back(Decimal::ofMillionths(
                winner.millionths() > 0 ? divided(Wide(placing.score.millionths()) * 10'000, winner.millionths()) * 100'000
                                        : 0,
                1));
        break;
    }
    case SeriesScheme::PlacePoints: {
        std::vector<Decimal> table;
        int tableDecimals = 0;
        for (const std::string &text : rule.placePoints) {
            table.push_back(Decimal::parse(text));
            tableDecimals = std::max(tableDecimals, table.back().decimals());
        }
        auto ofPlace = [&](int place) {
            return place >= 1 && std::size_t(place) <= table.size() ? table[place - 1].millionths() : 0;
        };
        std::map<int, int> tied;
        for (const Placing &placing : held.placings)
            ++tied[placing.rank];
        for (const Placing &placing : held.placings) {
            const int together = tied[placing.rank];
            if (rule.sharedPlaces == SharedPlaces::HigherPoints || together == 1) {
                points.push_back(Decimal::ofMillionths(ofPlace(placing.rank), tableDecimals));
                continue;
            }
            std::int64_t sum = 0;
            for (int place = placing.rank; place < placing.rank + together; ++place)
                sum += ofPlace(place);
            points.push_back(meanOf(sum, together, tableDecimals));
        }
        break;
    }
    }
    return points;
}

// How many of a contestant's contests count, of the contests held.
std::size_t countedOf(const SeriesSettings &series, std::size_t held)
{
    switch (series.counted) {
    case CountedContests::All:
        break;
    case CountedContests::Best:
        if (series.best > 0)
            return std::min<std::size_t>(held, std::size_t(series.best));
        break;
    case CountedContests::AllButWorst:
        if (series.worst > 0 && held >= std::size_t(std::max(series.dropFrom, 1)))
            return held > std::size_t(series.worst) ? held - std::size_t(series.worst) : 1;
        break;
    }
    return held;
}

struct Row {
    SeriesStanding standing;
    std::vector<Decimal> points; // one for each contest held
    Decimal total;
    std::vector<Decimal> counted; // best first
};

SeriesTable tableOf(const SeriesSettings &series, SeriesTable table, const std::vector<Held> &held,
                    const SeriesContestants &contestants)
{
    const bool lowWins = table.rule.scheme == SeriesScheme::LowPoint;
    auto better = [lowWins](const Decimal &a, const Decimal &b) { return lowWins ? a < b : a > b; };
    std::map<std::size_t, Row> rows;
    for (std::size_t c = 0; c < held.size(); ++c) {
        const std::vector<Decimal> points = pointsOf(held[c], table.rule);
        for (std::size_t p = 0; p < points.size(); ++p) {
            Row &row = rows[held[c].placings[p].contestant];
            row.points.resize(held.size());
            row.standing.contests.resize(held.size());
            row.points[c] = points[p];
            row.standing.contests[c].flown = true;
        }
    }
    // One who did not fly a contest under low point: its contestants placed, plus one.
    int decimals = 0;
    for (auto &[contestant, row] : rows)
        for (std::size_t c = 0; c < held.size(); ++c) {
            if (!row.standing.contests[c].flown && lowWins)
                row.points[c] = Decimal::ofMillionths(std::int64_t(held[c].placings.size() + 1) * 1'000'000, 0);
            decimals = std::max(decimals, row.points[c].decimals());
        }
    const std::size_t counting = countedOf(series, held.size());
    std::vector<Row *> ranked;
    for (auto &[contestant, row] : rows) {
        row.standing.contestant = contestants.name(contestant);
        row.standing.number = contestants.number(contestant);
        // Of equal points, the earlier contest counts.
        std::vector<std::size_t> order(held.size());
        for (std::size_t c = 0; c < order.size(); ++c)
            order[c] = c;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return better(row.points[a], row.points[b]); });
        for (std::size_t i = 0; i < counting; ++i) {
            row.standing.contests[order[i]].counted = true;
            row.total = row.total + row.points[order[i]];
            row.counted.push_back(row.points[order[i]]);
        }
        for (std::size_t c = 0; c < held.size(); ++c)
            if (row.standing.contests[c].flown || lowWins)
                row.standing.contests[c].points = row.points[c].withDecimals(decimals).text();
        row.standing.total = row.total.withDecimals(decimals).text();
        ranked.push_back(&row);
    }
    // The better total, then the better best contest counted, the next, and so on.
    auto ahead = [&](const Row *a, const Row *b) {
        if (a->total != b->total)
            return better(a->total, b->total);
        return std::lexicographical_compare(a->counted.begin(), a->counted.end(), b->counted.begin(), b->counted.end(),
                                            better);
    };
    std::sort(ranked.begin(), ranked.end(), [&](const Row *a, const Row *b) {
        if (ahead(a, b) || ahead(b, a))
            return ahead(a, b);
        return std::tie(a->standing.contestant, a->standing.number) < std::tie(b->standing.contestant, b->standing.number);
    });
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        SeriesStanding &standing = ranked[i]->standing;
        standing.rank = i > 0 && !ahead(ranked[i - 1], ranked[i]) ? ranked[i - 1]->standing.rank : int(i) + 1;
        standing.place = std::to_string(standing.rank);
        table.rows.push_back(std::move(standing));
    }
    return table;
}

const ClassStandings *classIn(const Results &results, const std::string &caption)
{
    for (const ClassStandings &standings : results.classes)
        if (standings.rule.caption == caption)
            return &standings;
    return nullptr;
}

const CombinedStandings *combinationIn(const Results &results, const std::string &name)
{
    for (const CombinedStandings &combined : results.combined)
        if (combined.combination.name == name)
            return &combined;
    return nullptr;
}

void addOnce(std::vector<std::string> &list, const std::string &caption)
{
    if (std::find(list.begin(), list.end(), caption) == list.end())
        list.push_back(caption);
}

} // namespace

SeriesStandings rankSeries(const SeriesSettings &series, const std::vector<SeriesContest> &contests,
                           const std::vector<std::string> &captions)
{
    SeriesContestants contestants;
    std::vector<std::string> classes, combinations;
    for (const SeriesContest &contest : contests) {
        for (const ClassStandings &standings : contest.results.classes) {
            if (!standings.rows.empty())
                addOnce(classes, standings.rule.caption);
            for (const Standing &row : standings.rows)
                if (row.rank > 0)
                    contestants.add(row.contestant, row.number);
        }
        for (const CombinedStandings &combined : contest.results.combined) {
            addOnce(combinations, combined.combination.name);
            for (const CombinedStanding &row : combined.rows)
                if (row.rank > 0)
                    contestants.add(row.contestant, row.number);
        }
    }
    contestants.match(series.names);

    std::vector<std::string> shown;
    for (const std::string &named : captions) {
        std::string found;
        for (const auto *list : {&classes, &combinations})
            for (const std::string &caption : *list)
                if (found.empty() && sameName(caption, named))
                    found = caption;
        if (found.empty())
            throw UnknownClass("no contest of the series holds the class \"" + named
                               + "\", and none has a combination of that name");
        addOnce(shown, found);
    }

    SeriesStandings standings{series, {}, {}, contestants.nearNames()};
    // A contest without a flight yet (the season's unnamed first, or one just started) is named nowhere.
    for (const SeriesContest &contest : contests)
        if (!contest.results.noFlights())
            standings.contests.push_back(contest.name);
    for (const auto *list : {&classes, &combinations})
        for (const std::string &caption : *list) {
            if (!captions.empty() && std::find(shown.begin(), shown.end(), caption) == shown.end())
                continue;
            SeriesTable table{seriesRuleFor(series, caption), list == &combinations, {}, {}, {}};
            std::vector<Held> held;
            for (const SeriesContest &contest : contests) {
                Held placed{contest.name, {}};
                bool final = true;
                bool any = false;
                auto place = [&](int rank, const std::string &name, const std::string &number, const std::string &score) {
                    if (rank > 0)
                        placed.placings.push_back({contestants.contestantOf(name, number), rank, Decimal::parse(score)});
                };
                if (!table.combination) {
                    if (const ClassStandings *ofClass = classIn(contest.results, caption)) {
                        any = !ofClass->rows.empty();
                        final = ofClass->rule.final;
                        for (const Standing &row : ofClass->rows)
                            place(row.rank, row.contestant, row.number, row.score);
                    }
                } else if (const CombinedStandings *combined = combinationIn(contest.results, caption)) {
                    for (const std::string &part : combined->combination.classes)
                        if (const ClassStandings *ofClass = classIn(contest.results, part)) {
                            any = any || !ofClass->rows.empty();
                            final = final && ofClass->rule.final;
                        }
                    for (const CombinedStanding &row : combined->rows)
                        place(row.rank, row.contestant, row.number, row.total);
                }
                if (any && !final)
                    table.stillRunning.push_back(contest.name);
                if (!placed.placings.empty()) {
                    table.contests.push_back(contest.name);
                    held.push_back(std::move(placed));
                }
            }
            standings.tables.push_back(tableOf(series, std::move(table), held, contestants));
        }
    return standings;
}

} // namespace orlo::contest
