#pragma once

#include "contest_journal.h"
#include "contest_settings.h"
#include "season.h"

#include <cstdint>
#include <optional>

#include <string>
#include <string_view>
#include <vector>

namespace orlo::journal {

class Database;

// The contest's tables as both the recording and the reading connection use
// them; each in the caller's transaction, throwing DatabaseError. A contest
// is its row's id; 0 reads a journal of a layout before the season of
// contests, which holds one contest alone.

// The lines of a list kept one a line: an entry's classes, a combination's.
std::vector<std::string> linesOf(const std::string &joined);
// The entry list by name, with each entry's count of flights.
std::vector<contest::Entry> readEntries(const Database &db, std::int64_t contest);
// The contest's name, days, class rules in the director's order and combinations.
contest::ContestSettings readContest(const Database &db, std::int64_t contest);
// Replaces the contest kept with this one; throws EntryRefused for settings
// that cannot rank a class (a class with two rules, none allowed, more summed
// than allowed, a day that is no date) and changes nothing.
void writeContest(const Database &db, std::int64_t id, const contest::ContestSettings &contest);
// Marks the class final at the time given, or provisional again; a class
// without a rule of its own gets the default rule.
void markFinal(const Database &db, std::int64_t contest, std::string_view caption, bool final,
               const std::string &at);

// The contest new flights are recorded into.
std::int64_t currentContest(const Database &db);
// Every contest, oldest first, with its flights and final classes counted.
std::vector<SeasonContest> readSeason(const Database &db);
// The contest of that name, compared as the entry list compares names.
std::optional<std::int64_t> contestNamed(const Database &db, std::string_view name);
// Refuses, with EntryRefused, a contest not in the journal.
void makeCurrent(const Database &db, std::int64_t contest);
// Refuses, with EntryRefused, a name without letters or used already and
// days that are no dates; the new contest becomes current.
std::int64_t startContest(const Database &db, const NewContest &contest);

} // namespace orlo::journal
