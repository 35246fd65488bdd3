#pragma once

namespace orlo::journal {

class Database;

// A random (version 4) UUID as SQL, computed afresh for every row: SQLite's
// random numbers come from the system's source of randomness, so flights of
// two scoring tables never share one.
#define ORLO_NEW_UUID                                                                              \
    "(lower(hex(randomblob(4))) || '-' || lower(hex(randomblob(2))) || '-4' || "                   \
    "substr(lower(hex(randomblob(2))), 2) || '-' || substr('89ab', 1 + abs(random() % 4), 1) || " \
    "substr(lower(hex(randomblob(2))), 2) || '-' || lower(hex(randomblob(6))))"

// The contest new flights and entries are recorded into, as SQL.
#define ORLO_CURRENT_CONTEST "(SELECT id FROM contest WHERE is_current = 1)"

// The entry list, the flights' status and identifier and the table of
// changes; the names typed on flights become entries the flights link to.
void addEntryList(const Database &db);

// The contest's name and days, each class's rule and the combinations of
// classes; none is kept until the director sets them.
void addContestSettings(const Database &db);

// Contests one after another: every flight, entry and setting belongs to one
// of them, one is current; what the journal held becomes its first contest.
void addSeason(const Database &db);

// The trail of the classes closed and reopened, each in its contest.
void addClassChanges(const Database &db);

// Each flight's moment flown, for the flights in the order flown.
void addFlightTimes(const Database &db);

// Who flies next: each class's order of flying, the distance kept between a
// pilot's flights, the flights called again and the entries withdrawn.
void addFlightOrder(const Database &db);

} // namespace orlo::journal
