#pragma once

#include "contest_journal.h"
#include "database.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "local_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::journal {

class Database;

// The entry list's writes that the flight journal shares: each in the
// caller's transaction.

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

struct ContestJournal::Impl {
    std::string path;
    Database db;
    JournalFiles opened; // the journal, its log and index as db opened them
    JournalNotice notice;
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };

    std::int64_t chosen = 0; // the contest whose entries and settings are kept; 0: the current one

    const Database &open();
    // The chosen contest, or the current one.
    std::int64_t contest() const;
    std::string now() const { return localTimeText(clock(), "%Y-%m-%dT%H:%M:%S%z"); }

    // Runs work on the open file, in one transaction when it writes; a
    // failure of the file closes it and is told as a JournalProblem.
    template <typename Work>
    auto run(bool writes, Work work) -> decltype(work())
    {
        try {
            open();
            if (!writes)
                return work();
            WriteTransaction transaction(db);
            if constexpr (std::is_void_v<decltype(work())>) {
                work();
                transaction.commit();
            } else {
                auto result = work();
                transaction.commit();
                return result;
            }
        } catch (const DatabaseError &error) {
            fail(error);
        }
    }
    [[noreturn]] void fail(const DatabaseError &error);
    // A journal that cannot be opened for a change is told as a change
    // refused, not in the recorder's words.
    [[noreturn]] void refuse(const JournalProblem &problem);
};

} // namespace orlo::journal
