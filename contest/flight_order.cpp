#include "flight_order.h"

#include "call_order.h"
#include "class_ranking.h"
#include "order_draw.h"

#include <algorithm>
#include <map>
#include <set>

namespace orlo::contest {

namespace {

constexpr const char *methodNames[] = {"as entered", "drawn", "reverse of the standings", "by hand"};

bool calledIn(const std::vector<std::string> &list, const std::string &caption)
{
    return std::find(list.begin(), list.end(), caption) != list.end();
}

ClassRule orderRuleOf(const ContestSettings &contest, const std::string &caption)
{
    ClassRule rule;
    rule.caption = caption;
    for (const ClassRule &own : contest.classes)
        if (own.caption == caption)
            rule = own;
    return rule;
}

// The contest's classes in its order, then those only entries name, then
// those only a contestant's flight names.
std::vector<std::string> classesCalled(const ContestSettings &contest, const std::vector<Entry> &entries,
                                       const std::vector<ScoredFlight> &flights)
{
    std::vector<std::string> classes;
    for (const ClassRule &rule : contest.classes)
        classes.push_back(rule.caption);
    for (const Entry &entry : entries)
        for (const std::string &caption : entry.classes)
            if (!calledIn(classes, caption))
                classes.push_back(caption);
    for (const ScoredFlight &flight : flights)
        if (flight.entry != 0 && !calledIn(classes, flight.classCaption))
            classes.push_back(flight.classCaption);
    return classes;
}

// A pilot's flights in one class, and which of them count for the rounds.
struct Flown {
    std::vector<const ScoredFlight *> flights; // in the order flown
    std::vector<int> forRounds;                // the flight numbers that count, round by round
};

// The flights of each entry in each class: every status counts as flown,
// except a flight the director called again.
std::map<std::pair<std::int64_t, std::string>, Flown> flownBy(const FlyingOrder &order,
                                                                const std::vector<ScoredFlight> &flights)
{
    std::map<std::pair<std::int64_t, std::string>, Flown> flown;
    std::vector<const ScoredFlight *> sorted;
    for (const ScoredFlight &flight : flights)
        if (flight.entry != 0)
            sorted.push_back(&flight);
    // A pilot's flights counted in the order flown, as the ranking counts them.
    sortAsFlown(sorted);
    for (const ScoredFlight *flight : sorted)
        flown[{flight->entry, flight->classCaption}].flights.push_back(flight);
    for (auto &[key, pilot] : flown)
        for (int number = 1; number <= int(pilot.flights.size()); ++number) {
            const bool again = std::any_of(order.callAgain.begin(), order.callAgain.end(), [&](const CallAgain &mark) {
                return mark.entry == key.first && mark.caption == key.second && mark.afterFlights == number;
            });
            if (!again)
                pilot.forRounds.push_back(number);
        }
    return flown;
}

// The class's order for one round: a list kept (drawn or by hand) with later
// entries after it; as entered; or the reverse of the standings after the
// rounds before, the first round as entered.
std::vector<std::int64_t> classOrder(const ClassOrder &order, const ClassRule &rule, int round,
                                     const std::vector<Entry> &entries,
                                     const std::map<std::pair<std::int64_t, std::string>, Flown> &flown)
{
    // Entered in the class, or flown in it as the ranking counts them.
    std::vector<std::int64_t> entered;
    for (const Entry &entry : entries)
        if (calledIn(entry.classes, order.caption) || flown.count({entry.id, order.caption}))
            entered.push_back(entry.id);
    std::sort(entered.begin(), entered.end());
    std::vector<std::int64_t> kept;
    switch (order.method) {
    case OrderMethod::AsEntered:
        return entered;
    case OrderMethod::Drawn:
        kept = order.entries.empty() ? drawOrder(entered, order.seed) : order.entries;
        break;
    case OrderMethod::ByHand:
        kept = order.entries;
        break;
    case OrderMethod::ReverseStandings: {
        if (round <= 1)
            return entered;
        std::vector<const ScoredFlight *> before;
        for (const auto &[key, pilot] : flown)
            if (key.second == order.caption)
                for (std::size_t r = 0; r < pilot.forRounds.size() && int(r) < round - 1; ++r) {
                    const ScoredFlight *flight = pilot.flights[std::size_t(pilot.forRounds[r] - 1)];
                    if (flight->status != FlightStatus::Void)
                        before.push_back(flight);
                }
        ClassRule open = rule;
        open.final = false;
        const ClassStandings standings = rankClass(open, entries, before);
        for (auto row = standings.rows.rbegin(); row != standings.rows.rend(); ++row)
            kept.push_back(row->entry);
        break;
    }
    }
    std::vector<std::int64_t> called;
    for (std::int64_t entry : kept)
        if (std::binary_search(entered.begin(), entered.end(), entry)
            && std::find(called.begin(), called.end(), entry) == called.end())
            called.push_back(entry);
    for (std::int64_t entry : entered)
        if (std::find(called.begin(), called.end(), entry) == called.end())
            called.push_back(entry);
    return called;
}

} // namespace

std::string methodName(OrderMethod method)
{
    return methodNames[static_cast<int>(method)];
}

std::optional<OrderMethod> methodNamed(std::string_view name)
{
    for (int i = 0; i < int(std::size(methodNames)); ++i)
        if (name == methodNames[i])
            return static_cast<OrderMethod>(i);
    return std::nullopt;
}

ClassOrder FlyingOrder::orderOf(const std::string &caption) const
{
    for (const ClassOrder &order : classes)
        if (order.caption == caption)
            return order;
    ClassOrder order;
    order.caption = caption;
    return order;
}

CallList callList(const ContestSettings &contest, const FlyingOrder &order, const std::vector<Entry> &entries,
                  const std::vector<ScoredFlight> &flights)
{
    const auto flown = flownBy(order, flights);
    std::map<std::int64_t, const Entry *> entryOf;
    for (const Entry &entry : entries)
        entryOf[entry.id] = &entry;

    std::vector<std::string> circles;
    std::map<std::string, std::vector<std::string>> classesAt;
    for (const std::string &caption : classesCalled(contest, entries, flights)) {
        // A class the director closed calls nobody more.
        if (orderRuleOf(contest, caption).final)
            continue;
        const std::string circle = order.orderOf(caption).circle;
        if (!calledIn(circles, circle))
            circles.push_back(circle);
        classesAt[circle].push_back(caption);
    }

    CallList list;
    for (const std::string &circle : circles) {
        int rounds = 0;
        for (const std::string &caption : classesAt[circle])
            rounds = std::max(rounds, orderRuleOf(contest, caption).officialFlights);
        for (int round = 1; round <= rounds; ++round) {
            std::vector<Call> preferred;
            for (const std::string &caption : classesAt[circle]) {
                const ClassRule rule = orderRuleOf(contest, caption);
                if (round > rule.officialFlights)
                    continue;
                for (std::int64_t id : classOrder(order.orderOf(caption), rule, round, entries, flown)) {
                    const Entry &entry = *entryOf.at(id);
                    Call call{id, entry.name, entry.number, caption, round, 0, false};
                    const auto pilot = flown.find({id, caption});
                    const int forRounds = pilot == flown.end() ? 0 : int(pilot->second.forRounds.size());
                    const int recorded = pilot == flown.end() ? 0 : int(pilot->second.flights.size());
                    call.flown = forRounds >= round;
                    call.flight = call.flown ? pilot->second.forRounds[std::size_t(round - 1)]
                                             : recorded + round - forRounds;
                    // A withdrawn pilot keeps the flights flown and is called no more.
                    if (entry.withdrawn && !call.flown)
                        continue;
                    preferred.push_back(std::move(call));
                }
            }
            std::vector<std::int64_t> pilots;
            for (const Call &call : preferred)
                pilots.push_back(call.entry);
            CircleRound circleRound{circle, round, {}};
            for (std::size_t index : arrangeCalls(pilots, order.minDistance))
                circleRound.calls.push_back(preferred[index]);

            // Each pilot's closest two calls, told when closer than asked.
            std::map<std::int64_t, std::size_t> last;
            std::map<std::int64_t, int> closest;
            for (std::size_t position = 0; position < circleRound.calls.size(); ++position) {
                const std::int64_t pilot = circleRound.calls[position].entry;
                if (const auto previous = last.find(pilot); previous != last.end()) {
                    const int apart = int(position - previous->second);
                    const auto known = closest.find(pilot);
                    closest[pilot] = known == closest.end() ? apart : std::min(known->second, apart);
                }
                last[pilot] = position;
            }
            for (const Call &call : circleRound.calls) {
                const auto apart = closest.find(call.entry);
                if (apart != closest.end() && apart->second < order.minDistance) {
                    list.conflicts.push_back({call.contestant, round, apart->second});
                    closest.erase(apart);
                }
            }
            list.rounds.push_back(std::move(circleRound));
        }
    }
    return list;
}

std::vector<Call> upNext(const CallList &list, const std::vector<std::string> &classes, int count)
{
    // Round by round across the circles: a circle ahead waits for the others.
    std::vector<const CircleRound *> rounds;
    for (const CircleRound &round : list.rounds)
        rounds.push_back(&round);
    std::stable_sort(rounds.begin(), rounds.end(),
                     [](const CircleRound *a, const CircleRound *b) { return a->round < b->round; });
    std::vector<Call> next;
    for (const CircleRound *round : rounds)
        for (const Call &call : round->calls)
            if (!call.flown && (classes.empty() || calledIn(classes, call.caption)) && int(next.size()) < count)
                next.push_back(call);
    return next;
}

std::string calledAs(std::size_t place)
{
    static constexpr const char *labels[] = {"Next", "On deck", "In the hole"};
    return place < std::size(labels) ? labels[place] : std::string();
}

std::string upNextLine(const std::vector<Call> &calls)
{
    std::string line;
    for (std::size_t i = 0; i < calls.size() && !calledAs(i).empty(); ++i)
        line += (i == 0 ? "" : " · ") + calledAs(i) + ": " + calls[i].contestant + " (" + calls[i].caption
            + ", flight " + std::to_string(calls[i].flight) + ")";
    return line;
}

RoundProgress progressOf(const CallList &list, const std::string &caption)
{
    RoundProgress progress;
    std::map<int, int> stillToFly;
    for (const CircleRound &round : list.rounds)
        for (const Call &call : round.calls)
            if (call.caption == caption) {
                progress.rounds = std::max(progress.rounds, round.round);
                stillToFly[round.round] += call.flown ? 0 : 1;
            }
    progress.round = progress.rounds;
    for (const auto &[round, count] : stillToFly)
        if (count > 0) {
            progress.round = round;
            progress.stillToFly = count;
            break;
        }
    return progress;
}

std::string progressText(const RoundProgress &progress)
{
    return "Round " + std::to_string(progress.round) + " of " + std::to_string(progress.rounds) + ": "
        + (progress.stillToFly == 0 ? std::string("complete") : std::to_string(progress.stillToFly) + " still to fly");
}

Results &tellRounds(Results &results, const FlyingOrder &order, const std::vector<Entry> &entries,
                    const std::vector<ScoredFlight> &flights)
{
    return tellRounds(results, callList(results.contest, order, entries, flights));
}

Results &tellRounds(Results &results, const CallList &called)
{
    for (ClassStandings &standings : results.classes) {
        const RoundProgress progress = progressOf(called, standings.rule.caption);
        standings.rounds = progress.rounds > 0 ? progressText(progress) : std::string();
    }
    return results;
}

std::string conflictText(const OrderConflict &conflict)
{
    return conflict.contestant + ": " + std::to_string(conflict.distance) + " flight"
        + (conflict.distance == 1 ? "" : "s") + " apart in round " + std::to_string(conflict.round)
        + ", fewest possible";
}

} // namespace orlo::contest
