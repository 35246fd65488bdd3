#pragma once

#include "contest_journal.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::journal {

class Database;

// The time a change is kept at in the trail, asked for when it is kept.
using ChangeTime = std::function<std::string()>;

// The entry list's table, each function in the caller's transaction,
// throwing EntryRefused for a change refused and DatabaseError.

// The contest's entry whose compared name is that of name; none when nobody has it.
std::optional<std::int64_t> entryNamed(const Database &db, std::int64_t contest, std::string_view name);
// The classes tidied, each once, one a line as the entry list keeps them.
std::string joinClasses(const std::vector<std::string> &classes);
// Adds the entry to the contest after checking its name and number against its list.
std::int64_t insertEntry(const Database &db, std::int64_t contest, const contest::NewEntry &entry);
// Keeps one change of a flight in the trail.
void keepChange(const Database &db, std::int64_t flight, const std::string &changedAt, std::string_view what,
                std::string_view before, std::string_view after, std::string_view reason);
// Names the flight's contestant as typed: the flight goes to the entry of
// that name in the flight's contest, made when none matches; an empty name
// leaves it without one.
// False when there is no such flight.
bool nameContestant(const Database &db, std::int64_t flight, std::string_view typed, const std::string &changedAt);

// The director's changes of one entry, refused for a name or number another
// entry of its contest has.
void renameEntry(const Database &db, std::int64_t entry, std::string_view name);
void numberEntry(const Database &db, std::int64_t entry, std::string_view number);
void classifyEntry(const Database &db, std::int64_t entry, const std::vector<std::string> &classes);
// The flights of from go to into, the change kept on each; from is gone.
void mergeEntries(const Database &db, std::int64_t from, std::int64_t into, const ChangeTime &now);
// Only an entry without flights goes; one with flights is renamed or merged.
void removeEntry(const Database &db, std::int64_t entry);

} // namespace orlo::journal
