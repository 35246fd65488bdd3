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
