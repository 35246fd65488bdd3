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
class ReadOnlyDatabase;

// The contest's tables: read by the reader, and by a director's change inside
// its own transaction (the reads take either connection); written by the
// director's changes; each in the caller's transaction, throwing DatabaseError. A contest
// is its row's id; 0 reads a journal of a layout before the season of
// contests, which holds one contest alone.

// The lines of a list kept one a line: an entry's classes, a combination's.
std::vector<std::string> linesOf(const std::string &joined);
// The entry list by name, with each entry's count of flights; withdrawn is
// read where the layout keeps it.
template <class Connection>
std::vector<contest::Entry> readEntries(const Connection &db, std::int64_t contest, bool withWithdrawn = true);
// The contest's name, days, class rules in the director's order and combinations.
template <class Connection>
contest::ContestSettings readContest(const Connection &db, std::int64_t contest);
// Replaces the contest kept with this one; throws EntryRefused for settings
// that cannot rank a class (a class with two rules, none allowed, more summed
// than allowed, a day that is no date) and changes nothing.
// A class closed or reopened by the change is kept in the trail, at the time given.
void writeContest(const Database &db, std::int64_t id, const contest::ContestSettings &contest,
                  const std::string &at);
// The closings and reopenings of the contest's classes, oldest first.
std::vector<ClassChange> readClassChanges(const ReadOnlyDatabase &db, std::int64_t contest);
// Marks the class final at the time given, or provisional again; a class
// without a rule of its own gets the default rule.
void markFinal(const Database &db, std::int64_t contest, std::string_view caption, bool final,
               const std::string &at);

// The contest new flights are recorded into.
template <class Connection>
std::int64_t currentContest(const Connection &db);
// Every contest, oldest first, with its flights and final classes counted.
template <class Connection>
std::vector<SeasonContest> readSeason(const Connection &db);
// The contest of that name, compared as the entry list compares names.
template <class Connection>
std::optional<std::int64_t> contestNamed(const Connection &db, std::string_view name);
// Refuses, with EntryRefused, a contest not in the journal.
void makeCurrent(const Database &db, std::int64_t contest);
// Refuses, with EntryRefused, a name without letters or used already and
// days that are no dates; the new contest becomes current.
std::int64_t startContest(const Database &db, const NewContest &contest);

} // namespace orlo::journal
