#pragma once

#include "contest_settings.h"
#include "entries.h"
#include "scored_flight.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlo::contest {

// One official flight of a contestant in a class, in the order flown.
struct FlightScore {
    std::int64_t flight = 0;
    std::string score;    // as the sheet showed it, "312.5"
    bool counted = false; // part of the counted score
    bool beyondAllowed = false; // flown after the official flights allowed ran out

    friend bool operator==(const FlightScore &, const FlightScore &) = default;
};

// A contestant's line in a class. place is "1", "2"… for a ranked contestant,
// "att" for one with attempts only, empty for one still to fly.
struct Standing {
    std::string place;
    int rank = 0; // the place as a number; 0 for "att" and still to fly
    std::int64_t entry = 0;
    std::string contestant;
    std::string number;
    std::vector<FlightScore> flights;
    int attempts = 0;
    std::string score; // the counted score, with the decimals the sheet shows
    // The counted flight's parts (the best one when several are summed).
    std::string highSpeedPoints, lowSpeedPoints, engineBonus, scalePoints, landingPoints;
    bool stillToFly = false;

    friend bool operator==(const Standing &, const Standing &) = default;
};

struct ClassStandings {
    ClassRule rule; // the rule applied, defaults filled in
    std::vector<Standing> rows; // ranked, then "att", then still to fly
    // Flights recorded after the class was closed: kept, counted nowhere
    // until the director reopens it. firstWaitingAt is the earliest one's time.
    int waiting = 0;
    std::string firstWaitingAt;
    // Where its rounds stand, "Round 2 of 2: 3 still to fly"; empty when not known.
    std::string rounds;

    friend bool operator==(const ClassStandings &, const ClassStandings &) = default;
};

// A contestant's line in a combination: a score per class of the combination,
// in its order; empty where the contestant has no counted score.
struct CombinedStanding {
    std::string place;
    int rank = 0;
    std::int64_t entry = 0;
    std::string contestant;
    std::string number;
    std::vector<std::string> classScores;
    std::string total;
    std::vector<std::string> missing; // classes of the combination without a counted score

    friend bool operator==(const CombinedStanding &, const CombinedStanding &) = default;
};

// A final class's flights recorded after its closing, told wherever the class is drawn on.
struct WaitingFlights {
    std::string caption;
    int flights = 0;
    std::string firstAt;

    friend bool operator==(const WaitingFlights &, const WaitingFlights &) = default;
};

struct CombinedStandings {
    Combination combination;
    std::vector<CombinedStanding> rows;
    // Its classes with flights waiting after Final, in the combination's order.
    std::vector<WaitingFlights> waiting;

    friend bool operator==(const CombinedStandings &, const CombinedStandings &) = default;
};

// The contest's result as of one moment.
struct Results {
    ContestSettings contest;
    std::string asOf; // local time with offset, when the journal was read
    std::vector<ClassStandings> classes; // in the order of the class list
    std::vector<CombinedStandings> combined;
    int flightsWithoutContestant = 0; // counted nowhere; the director should name them
    int voidFlights = 0; // of the classes shown, listed nowhere
    // When a later read of the journal failed (local time with offset): these
    // standings are older than the journal. Empty when they are its latest.
    std::string unreadAt;
    bool noFlights() const;

    friend bool operator==(const Results &, const Results &) = default;
};

// A class named that has neither flights nor entries; nothing is written.
class UnknownClass : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Ranks the classes named (every class with flights or entries when none is
// named). Scores are decimal texts; they are compared and added as decimals,
// exactly, never through binary floating point.
Results rank(const ContestSettings &contest, const std::vector<Entry> &entries,
             const std::vector<ScoredFlight> &flights, const std::vector<std::string> &classes = {},
             std::string asOf = {});

// Ranks every class as rank() does, but takes the standings of each class
// not named in changed from earlier, ranked under the same contest and
// entries: after one flight recorded, its class alone is ranked again.
Results rankAgain(const Results &earlier, const std::vector<std::string> &changed,
                  const std::vector<Entry> &entries, const std::vector<ScoredFlight> &flights, std::string asOf);

} // namespace orlo::contest
