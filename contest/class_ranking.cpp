#include "class_ranking.h"

#include "decimal.h"
#include "final_class.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

namespace orlo::contest {

namespace {

// A contestant of the class while the class is ranked.
struct Contender {
    Standing standing;
    std::vector<const ScoredFlight *> official; // in the order flown
    Decimal total;
    std::vector<Decimal> unCounted; // the allowed flights not counted, best first: the next-best
};

bool isEnteredIn(const Entry &entry, const std::string &caption)
{
    return std::find(entry.classes.begin(), entry.classes.end(), caption) != entry.classes.end();
}

bool byName(const Contender *a, const Contender *b)
{
    return std::tie(a->standing.contestant, a->standing.entry) < std::tie(b->standing.contestant, b->standing.entry);
}

// A part of the counted score: one counted flight's as the sheet showed it,
// several flights' added as decimals, so the parts add up to the score; a
// part no counted flight has (no engine bonus) stays empty.
std::string partOf(const std::vector<const ScoredFlight *> &counted, std::string ScoredFlight::*part)
{
    if (counted.size() == 1)
        return counted.front()->*part;
    std::optional<Decimal> sum;
    for (const ScoredFlight *flight : counted)
        if (!(flight->*part).empty())
            sum = sum ? *sum + Decimal::parse(flight->*part) : Decimal::parse(flight->*part);
    return sum ? sum->text() : std::string();
}

// Marks the flights that count and sums them and their parts.
void count(Contender &contender, const ClassRule &rule)
{
    Standing &standing = contender.standing;
    const std::size_t allowed = std::min<std::size_t>(contender.official.size(), rule.officialFlights);
    std::vector<std::size_t> best(allowed);
    for (std::size_t i = 0; i < allowed; ++i)
        best[i] = i;
    // Of two equal scores the one flown first counts.
    std::stable_sort(best.begin(), best.end(), [&](std::size_t a, std::size_t b) {
        return Decimal::parse(contender.official[a]->score) >
               Decimal::parse(contender.official[b]->score);
    });
    const std::size_t counted = rule.counting == Counting::BestFlight
                                    ? 1
                                    : std::min<std::size_t>(allowed, rule.counted);
    for (std::size_t i = 0; i < contender.official.size(); ++i) {
        const ScoredFlight &flight = *contender.official[i];
        standing.flights.push_back({flight.id, flight.score, false, i >= allowed});
    }
    for (std::size_t i = 0; i < allowed; ++i) {
        const Decimal score = Decimal::parse(contender.official[best[i]]->score);
        if (i < counted) {
            standing.flights[best[i]].counted = true;
            contender.total = i == 0 ? score : contender.total + score;
        } else {
            contender.unCounted.push_back(score);
        }
    }
    standing.score = contender.total.text();
    std::vector<const ScoredFlight *> countedParts;
    for (std::size_t i = 0; i < counted; ++i)
        countedParts.push_back(contender.official[best[i]]);
    standing.highSpeedPoints = partOf(countedParts, &ScoredFlight::highSpeedPoints);
    standing.lowSpeedPoints = partOf(countedParts, &ScoredFlight::lowSpeedPoints);
    standing.engineBonus = partOf(countedParts, &ScoredFlight::engineBonus);
    standing.scalePoints = partOf(countedParts, &ScoredFlight::scalePoints);
    standing.landingPoints = partOf(countedParts, &ScoredFlight::landingPoints);
}

// Whether a is placed ahead of b; the rest of the order is by name.
bool ahead(const Contender &a, const Contender &b, const ClassRule &rule)
{
    if (a.total != b.total)
        return a.total > b.total;
    if (rule.ties == TieRule::NextBest && a.unCounted != b.unCounted)
        return std::lexicographical_compare(b.unCounted.begin(), b.unCounted.end(), a.unCounted.begin(),
                                            a.unCounted.end());
    return false;
}

} // namespace

void sortAsFlown(std::vector<const ScoredFlight *> &flights)
{
    // Each moment read once, not at every comparison.
    std::vector<std::pair<std::pair<std::int64_t, std::int64_t>, const ScoredFlight *>> flown;
    flown.reserve(flights.size());
    for (const ScoredFlight *flight : flights)
        flown.push_back({{momentOf(flight->flownAt).value_or(0), flight->id}, flight});
    std::sort(flown.begin(), flown.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t at = 0; at < flown.size(); ++at)
        flights[at] = flown[at].second;
}

ClassStandings rankClass(ClassRule rule, const std::vector<Entry> &entries,
                         std::vector<const ScoredFlight *> flights)
{
    rule.officialFlights = std::max(rule.officialFlights, 1);
    rule.counted = std::max(rule.counted, 1);
    std::map<std::int64_t, const Entry *> entryOf;
    for (const Entry &entry : entries)
        entryOf.emplace(entry.id, &entry);

    sortAsFlown(flights);
    std::map<std::int64_t, Contender> contenders;
    auto contenderOf = [&](std::int64_t entry, const std::string &name, const std::string &number) -> Contender & {
        auto [at, added] = contenders.try_emplace(entry);
        if (added) {
            at->second.standing.entry = entry;
            const auto listed = entryOf.find(entry);
            at->second.standing.contestant = listed != entryOf.end() ? listed->second->name : name;
            at->second.standing.number = listed != entryOf.end() ? listed->second->number : number;
        }
        return at->second;
    };
    for (const ScoredFlight *flight : flights) {
        Contender &contender = contenderOf(flight->entry, flight->contestant, flight->number);
        if (flight->status == FlightStatus::Attempt)
            ++contender.standing.attempts;
        else
            contender.official.push_back(flight);
    }
    // A pilot withdrawn before flying is no longer still to fly.
    for (const Entry &entry : entries)
        if (isEnteredIn(entry, rule.caption) && !entry.withdrawn)
            contenderOf(entry.id, entry.name, entry.number);

    std::vector<Contender *> ranked, attemptsOnly, stillToFly;
    for (auto &[entry, contender] : contenders) {
        if (!contender.official.empty()) {
            count(contender, rule);
            ranked.push_back(&contender);
        } else if (contender.standing.attempts > 0) {
            contender.standing.place = "att";
            attemptsOnly.push_back(&contender);
        } else {
            contender.standing.stillToFly = true;
            stillToFly.push_back(&contender);
        }
    }
    std::sort(ranked.begin(), ranked.end(), [&](const Contender *a, const Contender *b) {
        if (ahead(*a, *b, rule) || ahead(*b, *a, rule))
            return ahead(*a, *b, rule);
        return byName(a, b);
    });
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const bool tied = i > 0 && !ahead(*ranked[i - 1], *ranked[i], rule);
        ranked[i]->standing.rank = tied ? ranked[i - 1]->standing.rank : static_cast<int>(i) + 1;
        ranked[i]->standing.place = std::to_string(ranked[i]->standing.rank);
    }
    std::sort(attemptsOnly.begin(), attemptsOnly.end(), byName);
    std::sort(stillToFly.begin(), stillToFly.end(), byName);

    ClassStandings standings{rule, {}, 0, {}, {}};
    for (const auto *group : {&ranked, &attemptsOnly, &stillToFly})
        for (Contender *contender : *group)
            standings.rows.push_back(std::move(contender->standing));
    return standings;
}

} // namespace orlo::contest
