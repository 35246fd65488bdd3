#include "standings.h"

#include "class_ranking.h"
#include "event_classes.h"

#include <algorithm>
#include <map>

namespace orlo::contest {

namespace {

bool holds(const std::vector<std::string> &list, const std::string &caption)
{
    return std::find(list.begin(), list.end(), caption) != list.end();
}

// Every class with a flight that counts for something or an entry: the
// contest's classes first, then the sheet's, then any other as first flown.
std::vector<std::string> classesHeld(const ContestSettings &contest,
                                     const std::vector<Entry> &entries,
                                     const std::vector<const ScoredFlight *> &flights)
{
    std::vector<std::string> seen;
    for (const ScoredFlight *flight : flights)
        if (!holds(seen, flight->classCaption))
            seen.push_back(flight->classCaption);
    for (const Entry &entry : entries)
        for (const std::string &caption : entry.classes)
            if (!holds(seen, caption))
                seen.push_back(caption);
    std::vector<std::string> order;
    auto take = [&](const std::string &caption) {
        if (holds(seen, caption) && !holds(order, caption))
            order.push_back(caption);
    };
    for (const ClassRule &rule : contest.classes)
        take(rule.caption);
    for (const EventClass &eventClass : eventClasses)
        take(std::string(eventClass.caption));
    for (const std::string &caption : seen)
        take(caption);
    return order;
}

} // namespace

bool Results::noFlights() const
{
    if (flightsWithoutContestant > 0)
        return false;
    for (const ClassStandings &standings : classes)
        for (const Standing &row : standings.rows)
            if (!row.stillToFly)
                return false;
    return true;
}

namespace {

// rank() and rankAgain(): a class not in changed is taken from earlier when
// earlier has it.
Results rankKeeping(const ContestSettings &contest, const std::vector<Entry> &entries,
                    const std::vector<ScoredFlight> &flights, const std::vector<std::string> &classes,
                    std::string asOf, const Results *earlier, const std::vector<std::string> &changed)
{
    // A void flight does not count at all, and is not listed.
    std::vector<const ScoredFlight *> counting;
    for (const ScoredFlight &flight : flights)
        if (flight.status != FlightStatus::Void)
            counting.push_back(&flight);
    const std::vector<std::string> held = classesHeld(contest, entries, counting);
    for (const std::string &caption : classes)
        if (!holds(held, caption))
            throw UnknownClass("no flight and no entry in the class \"" + caption + "\"");

    Results results{contest, std::move(asOf), {}, {}, 0, {}};
    std::map<std::string, ClassStandings> ranked;
    auto standingsOf = [&](const std::string &caption) -> const ClassStandings & {
        auto found = ranked.find(caption);
        if (found != ranked.end())
            return found->second;
        if (earlier && !holds(changed, caption))
            for (const ClassStandings &kept : earlier->classes)
                if (kept.rule.caption == caption)
                    return ranked.emplace(caption, kept).first->second;
        ClassRule rule;
        rule.caption = caption;
        for (const ClassRule &own : contest.classes)
            if (own.caption == caption)
                rule = own;
        std::vector<const ScoredFlight *> ofClass;
        for (const ScoredFlight *flight : counting)
            if (flight->classCaption == caption && flight->entry != 0)
                ofClass.push_back(flight);
        return ranked.emplace(caption, rankClass(rule, entries, std::move(ofClass))).first->second;
    };

    std::vector<std::string> shown;
    for (const std::string &caption : classes.empty() ? held : classes)
        if (!holds(shown, caption))
            shown.push_back(caption);
    for (const std::string &caption : shown)
        results.classes.push_back(standingsOf(caption));
    for (const ScoredFlight *flight : counting)
        if (flight->entry == 0 && holds(shown, flight->classCaption))
            ++results.flightsWithoutContestant;

    // A combination is shown with every class when none is named, and when
    // all its classes are named.
    for (const Combination &combination : contest.combinations) {
        if (!std::all_of(combination.classes.begin(), combination.classes.end(),
                         [&](const std::string &caption) { return classes.empty() || holds(classes, caption); }))
            continue;
        std::vector<const ClassStandings *> parts;
        for (const std::string &caption : combination.classes)
            parts.push_back(&standingsOf(caption));
        results.combined.push_back(combine(combination, parts));
    }
    return results;
}

} // namespace

Results rank(const ContestSettings &contest, const std::vector<Entry> &entries,
             const std::vector<ScoredFlight> &flights, const std::vector<std::string> &classes,
             std::string asOf)
{
    return rankKeeping(contest, entries, flights, classes, std::move(asOf), nullptr, {});
}

Results rankAgain(const Results &earlier, const std::vector<std::string> &changed,
                  const std::vector<Entry> &entries, const std::vector<ScoredFlight> &flights, std::string asOf)
{
    return rankKeeping(earlier.contest, entries, flights, {}, std::move(asOf), &earlier, changed);
}

} // namespace orlo::contest
