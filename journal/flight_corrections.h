#pragma once

#include "entry_table.h"
#include "flight_status.h"

#include <cstdint>
#include <string_view>

namespace orlo::journal {

class Database;

// The director's corrections of a flight, each kept in its trail with the
// reason, in the caller's transaction; EntryRefused for one refused.

// A reason is required: it settles a protest later.
void setFlightStatus(const Database &db, std::int64_t flight, contest::FlightStatus status, std::string_view reason,
                     const ChangeTime &now);
void moveFlightToEntry(const Database &db, std::int64_t flight, std::int64_t entry, std::string_view reason,
                       const ChangeTime &now);
// To another contest of the journal, under the entry of the same number
// there, else of the same compared name, else under its entry added to that
// contest's list; refused when its class is final in either contest.
void moveFlightToContest(const Database &db, std::int64_t flight, std::int64_t contest, std::string_view reason,
                         const ChangeTime &now);

} // namespace orlo::journal
