#pragma once

#include "contest_journal.h"
#include "contest_settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlo::journal {

class Database;
class ReadOnlyDatabase;

// The contest's tables: read by the reader, written by the director's
// changes; each in the caller's transaction, throwing DatabaseError.

// The lines of a list kept one a line: an entry's classes, a combination's.
std::vector<std::string> linesOf(const std::string &joined);
// The entry list by name, with each entry's count of flights.
std::vector<contest::Entry> readEntries(const ReadOnlyDatabase &db);
// The contest's name, days, class rules in the director's order and combinations.
contest::ContestSettings readContest(const ReadOnlyDatabase &db);
// Replaces the contest kept with this one; throws EntryRefused for settings
// that cannot rank a class (a class with two rules, none allowed, more summed
// than allowed, a day that is no date) and changes nothing.
// A class closed or reopened by the change is kept in the trail, at the time given.
void writeContest(const Database &db, const contest::ContestSettings &contest, const std::string &at);
// The closings and reopenings of the classes, oldest first.
std::vector<ClassChange> readClassChanges(const ReadOnlyDatabase &db);
// Marks the class final at the time given, or provisional again; a class
// without a rule of its own gets the default rule.
void markFinal(const Database &db, std::string_view caption, bool final, const std::string &at);

} // namespace orlo::journal
