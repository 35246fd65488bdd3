#pragma once

#include "flight_order.h"
#include "scored_flight.h"
#include "series_standings.h"
#include "standings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlo::field {

// What the field's pages show, as of one read of the journal: the results
// model's standings, the contest's flights (newest first, as the journal
// lists them) for the latest flights and a contestant's own page, and the
// version that grows with every change the pages show; the season's
// series, each contest ranked as its own results are; and who is called
// next, on deck and in the hole (none without an order of flying).
struct FieldView {
    contest::Results results;
    std::vector<contest::ScoredFlight> flights;
    std::vector<contest::SeriesStandings> series;
    std::vector<contest::Call> upNext;
    std::uint64_t version = 0;
};

// A flight lately recorded, with its contestant's place now in its class.
struct LatestFlight {
    std::int64_t flight = 0;
    std::int64_t entry = 0;
    std::string contestant;
    std::string classCaption;
    std::string score; // "attempt" for an attempt, which scores nothing
    std::string place; // as the standings say it: "1", "att"; empty when unranked
    int rank = 0;      // 0 unless ranked
    std::string recordedAt;
};

// The newest flights that count or are attempts, of a contestant on the
// entry list, in a class the standings show: at most count of them.
std::vector<LatestFlight> latestFlights(const FieldView &view, std::size_t count);

// "Just flown: Ann Lee, Class I, 371.7, now 1st".
std::string justFlownSentence(const LatestFlight &flight);

// The contestant's line in each class they stand in, with the class.
struct ContestantClass {
    const contest::ClassStandings *standings = nullptr;
    const contest::Standing *standing = nullptr;
};
std::vector<ContestantClass> classesOf(const contest::Results &results, std::int64_t entry);

// "Provisional, as of 2026-07-15 16:42 +02:00" or "Final, closed …", with
// flights waiting after Final and a failed read told, as every sheet says it.
std::string classState(const contest::ClassStandings &standings, const contest::Results &results);

} // namespace orlo::field
