#pragma once

#include "contest_settings.h"
#include "entries.h"
#include "scored_flight.h"
#include "standings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::contest {

// How a class's order of flying is made: as the entries were entered, drawn
// from a seed, the reverse of the standings after the rounds before (the
// leaders fly last), or placed by the director's hand.
enum class OrderMethod { AsEntered, Drawn, ReverseStandings, ByHand };
std::string methodName(OrderMethod method); // "as entered", "drawn", "reverse of the standings", "by hand"
std::optional<OrderMethod> methodNamed(std::string_view name);

// The director's order of one class, the same for each of its rounds.
struct ClassOrder {
    std::string caption;
    OrderMethod method = OrderMethod::AsEntered;
    std::uint64_t seed = 0; // of the draw; kept so the draw can be made again and checked
    // Drawn or placed by hand, as entry ids. An entry not listed came later:
    // it joins the end of each round, without a new draw.
    std::vector<std::int64_t> entries;
    std::string circle; // classes at the same circle are called in one order

    friend bool operator==(const ClassOrder &, const ClassOrder &) = default;
};

// "Call again": the pilot's flight number afterFlights in the class does not
// count for the rounds (the director wants a re-flight after a void or an attempt).
struct CallAgain {
    std::int64_t entry = 0;
    std::string caption;
    int afterFlights = 0;

    friend bool operator==(const CallAgain &, const CallAgain &) = default;
};

// The contest's order of flying. A class without a ClassOrder flies as entered.
struct FlyingOrder {
    std::vector<ClassOrder> classes;
    int minDistance = 3; // a pilot's flights at one circle in one round, at least this many flights apart
    std::vector<CallAgain> callAgain;

    ClassOrder orderOf(const std::string &caption) const;
    friend bool operator==(const FlyingOrder &, const FlyingOrder &) = default;
};

// One pilot called for one flight of a class.
struct Call {
    std::int64_t entry = 0;
    std::string contestant;
    std::string number;
    std::string caption;
    int round = 0;
    int flight = 0; // the pilot's flight in the class: the one flown for the round, or the next
    bool flown = false;

    friend bool operator==(const Call &, const Call &) = default;
};

// One round at one circle, in the order called.
struct CircleRound {
    std::string circle;
    int round = 0;
    std::vector<Call> calls;
};

// A pilot whose flights in a round could not be kept minDistance apart.
struct OrderConflict {
    std::string contestant;
    int round = 0;
    int distance = 0;

    friend bool operator==(const OrderConflict &, const OrderConflict &) = default;
};

struct CallList {
    std::vector<CircleRound> rounds; // circle by circle, each round by round
    std::vector<OrderConflict> conflicts;
};

// The order of every class and round as of the flights recorded: a pilot with
// a flight in the class for a round (official, attempt or void, in turn or
// not) has flown it; a withdrawn pilot leaves the rounds still to fly. flights
// are all the contest's flights, void ones too.
CallList callList(const ContestSettings &contest, const FlyingOrder &order, const std::vector<Entry> &entries,
                  const std::vector<ScoredFlight> &flights);

// The first count calls still to fly of the classes named (all when none),
// round by round: next, on deck, in the hole.
std::vector<Call> upNext(const CallList &list, const std::vector<std::string> &classes = {}, int count = 3);
// "Next: Ann Lee (Class I, flight 2) · On deck: … · In the hole: …"; empty when none is to fly.
std::string upNextLine(const std::vector<Call> &calls);
// What the call at place (from 0) of upNext() is called: "Next", "On deck", "In the hole".
std::string calledAs(std::size_t place);

// The round a class is flying and how many of it are still to fly.
struct RoundProgress {
    int round = 0;
    int rounds = 0;
    int stillToFly = 0;
};
RoundProgress progressOf(const CallList &list, const std::string &caption);
// "Round 2 of 2: 3 still to fly", "Round 2 of 2: complete".
std::string progressText(const RoundProgress &progress);
// Each class of the results told where its rounds stand (ClassStandings::rounds).
Results &tellRounds(Results &results, const FlyingOrder &order, const std::vector<Entry> &entries,
                    const std::vector<ScoredFlight> &flights);
// The same from the rounds as called (callList() of the results' contest).
Results &tellRounds(Results &results, const CallList &called);
// "Hal Ivers: 2 flights apart in round 1, fewest possible".
std::string conflictText(const OrderConflict &conflict);

} // namespace orlo::contest
