#pragma once

// What a JournalReader keeps: its read-only connection, the layout of the
// file it opened and the contest it reads; shared by the files of its reads.
#include "journal_reader.h"

#include "contest_tables.h"
#include "database.h"
#include "journal_columns.h"
#include "journal_files.h"
#include "journal_schema.h"

#include <string>
#include <string_view>

namespace orlo::journal {

// A number for each opening of a journal by any reader of the program.
std::int64_t nextOpening();

struct JournalReader::Impl {
    std::string path;
    ReadOnlyDatabase db;
    JournalFiles opened; // the files at the journal's name before it was opened
    JournalNotice notice;
    // A journal of an older layout that could not be carried forward has no
    // entry list; its flights are all official.
    bool withEntries = true;
    // Nor has one older than the contest's settings any settings.
    bool withContest = true;
    // One older than the season of contests holds one contest alone.
    bool withSeason = true;
    std::int64_t chosen = 0; // the contest read; 0: the current one
    // Nor has one older than the trail of closed classes any trail.
    bool withClassChanges = true;
    // Nor has one older than the series any series.
    bool withSeries = true;
    bool withOrder = true; // the order of flying and the entries withdrawn
    // The calculation's columns as the file holds them: one of a layout
    // before the engine bonus had its column reads the bonus as empty.
    std::string columns;
    bool withEngineBonus = true;
    // Nor has one older than the flights' moments flown any: its flights go in
    // the order recorded.
    bool withFlownAt = true;
    std::int64_t opening = 0; // which opening of the file the reads are of

    void close() { db.close(); }

    // The contest read, as its id; 0 in a journal of one contest alone.
    std::int64_t contest() const { return !withSeason ? 0 : chosen != 0 ? chosen : currentContest(db); }
    // " AND f.contest = 7": the condition that keeps a query to the contest read.
    std::string inContest(const char *column) const
    {
        const std::int64_t id = contest();
        return id == 0 ? std::string() : " AND " + std::string(column) + " = " + std::to_string(id);
    }

    // Runs work on the open file; a failure closes it, so that the next
    // read starts afresh, and is thrown as a JournalProblem.
    template <typename Work>
    auto read(Work work) -> decltype(work())
    {
        try {
            if (db && !stillReadable(opened, journalFilesAt(path)))
                close();
            if (!db) {
                opened = journalFilesAt(path);
                db = ReadOnlyDatabase(openJournal(path, Access::Read, notice));
                opening = nextOpening();
                Statement version(db, "PRAGMA user_version");
                const auto layout = version.step() ? version.integer(0) : 0;
                withEntries = layout >= 3;
                withContest = layout >= 5;
                withSeason = layout >= 6;
                withClassChanges = layout >= 7;
                withSeries = layout >= 8;
                withFlownAt = layout >= 9;
                withOrder = layout >= 10;
                columns = calculationColumns();
                withEngineBonus = layout >= 4;
                if (layout < 4)
                    columns.replace(columns.find("engine_bonus"), std::string_view("engine_bonus").size(), "''");
            }
            return work();
        } catch (const DatabaseError &error) {
            close();
            throw JournalProblem(JournalAttempt::Read, path, ProblemKind::Failed, error.what(), true,
                                 error.extendedCode());
        }
    }

    // The flights the filter passes, in the order and page that ordered
    // says: a query's end binding ?3 (older than), ?4 (limit) and ?6 (skip).
    std::vector<FlightRow> pageOfFlights(const FlightFilter &filter, const std::string &ordered,
                                         std::int64_t olderThan, int limit, int skip);
};

} // namespace orlo::journal
