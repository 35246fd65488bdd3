#include "standings.h"

#include "class_ranking.h"
#include "contestant_names.h"
#include "event_classes.h"
#include "final_class.h"

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
    for (const CombinedStandings &table : combined)
        if (!table.rows.empty())
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
    // A name that is no class held may be a combination's: it is shown, its
    // classes ranked for it without being shown themselves.
    std::vector<std::string> classesNamed, combinationsNamed;
    for (std::string caption : classes) {
        // As typed on the command line, "class  i" names Class I.
        for (const std::string &spelt : held)
            if (!holds(held, caption) && sameName(spelt, caption))
                caption = spelt;
        for (const Combination &named : contest.combinations)
            if (!holds(held, caption) && sameName(named.name, caption))
                caption = named.name;
        const bool combination = std::any_of(contest.combinations.begin(), contest.combinations.end(),
                                             [&](const Combination &named) { return named.name == caption; });
        if (holds(held, caption))
            classesNamed.push_back(caption);
        else if (combination)
            combinationsNamed.push_back(caption);
        else
            throw UnknownClass("no flight and no entry in the class \"" + caption + "\", and no combination of that name");
    }

    Results results{contest, std::move(asOf), {}, {}, 0, 0, {}};
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
        // A final class ranks the flights recorded up to its closing; a later one waits.
        std::vector<const ScoredFlight *> ofClass, waiting;
        for (const ScoredFlight *flight : counting)
            if (flight->classCaption == caption && flight->entry != 0)
                (rule.final && recordedAfterClosing(flight->recordedAt, rule.finalAt) ? waiting : ofClass)
                    .push_back(flight);
        ClassStandings standings = rankClass(rule, entries, std::move(ofClass));
        standings.waiting = static_cast<int>(waiting.size());
        for (const ScoredFlight *flight : waiting)
            if (standings.firstWaitingAt.empty() || recordedAfterClosing(standings.firstWaitingAt, flight->recordedAt))
                standings.firstWaitingAt = flight->recordedAt;
        return ranked.emplace(caption, std::move(standings)).first->second;
    };

    std::vector<std::string> shown;
    for (const std::string &caption : classes.empty() ? held : classesNamed)
        if (!holds(shown, caption))
            shown.push_back(caption);
    for (const std::string &caption : shown)
        results.classes.push_back(standingsOf(caption));
    std::vector<std::string> counted = shown;
    for (const Combination &combination : contest.combinations)
        if (holds(combinationsNamed, combination.name))
            counted.insert(counted.end(), combination.classes.begin(), combination.classes.end());
    for (const ScoredFlight *flight : counting)
        if (flight->entry == 0 && holds(counted, flight->classCaption))
            ++results.flightsWithoutContestant;
    for (const ScoredFlight &flight : flights)
        if (flight.status == FlightStatus::Void && (classes.empty() || holds(shown, flight.classCaption)))
            ++results.voidFlights;

    // A combination is shown with every class when none is named, when it is
    // named and when all its classes are named.
    for (const Combination &combination : contest.combinations) {
        if (!holds(combinationsNamed, combination.name)
            && !std::all_of(combination.classes.begin(), combination.classes.end(),
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
