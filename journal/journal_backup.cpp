#include "journal_reader.h"

#include "journal_files.h"
#include "journal_schema.h"
#include "sqlite_library.h"
#include "sqlite_statement.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace orlo::journal {

namespace {

// Copies every page of source into the file at copyPath, waiting out
// another program's writes, which restart the copy. The copy keeps no log
// of its own: it is one file, whole, wherever it is carried.
void copyPages(sqlite3 *source, const std::string &copyPath)
{
    sqlite3 *copy = nullptr;
    int code = sqlite().open_v2(copyPath.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const auto closeCopy = [&copy] {
        const int closed = sqlite().close_v2(copy);
        copy = nullptr;
        return closed;
    };
    try {
        if (code != SQLITE_OK)
            throw DatabaseError(code, (copy ? sqlite().errmsg(copy) : sqlite().errstr(code)) + std::string(" (code ")
                                          + std::to_string(code) + ")");
        sqlite3_backup *backup = sqlite().backup_init(copy, "main", source, "main");
        if (!backup)
            throw DatabaseError(sqlite().extended_errcode(copy), sqlite().errmsg(copy));
        for (int waits = 0; (code = sqlite().backup_step(backup, -1)) != SQLITE_DONE; ++waits) {
            if ((code != SQLITE_OK && code != SQLITE_BUSY && code != SQLITE_LOCKED) || waits == 100)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        sqlite().backup_finish(backup);
        if (code != SQLITE_DONE)
            throw DatabaseError(code, std::string(sqlite().errstr(code)) + " (code " + std::to_string(code) + ")");
        execute(copy, "PRAGMA journal_mode=DELETE");
    } catch (...) {
        closeCopy();
        throw;
    }
    if (const int closed = closeCopy(); closed != SQLITE_OK)
        throw DatabaseError(closed, sqlite().errstr(closed));
}

} // namespace

int backUpJournal(const std::string &journalPath, const std::string &copyPath)
{
    namespace fs = std::filesystem;
    const std::string cannot = "Cannot back up the flight journal to " + copyPath + ": ";
    if (isJournalFile(copyPath, journalPath))
        throw JournalProblem(cannot + "that is the journal itself. Nothing was written.");
    std::string notice;
    sqlite3 *source = openJournal(journalPath, Access::Read, notice);
    int flights = 0;
    try {
        writeAside(copyPath, [&](const std::string &part) {
            try {
                copyPages(source, part);
                sqlite().close_v2(source);
                source = nullptr;
                flights = JournalReader(part).flightCount();
            } catch (...) {
                std::error_code ignored;
                for (const char *companion : {"-wal", "-shm", "-journal"})
                    fs::remove(part + companion, ignored);
                throw;
            }
        });
        return flights;
    } catch (const std::exception &error) {
        if (source)
            sqlite().close_v2(source);
        const auto *problem = dynamic_cast<const JournalProblem *>(&error);
        throw JournalProblem(cannot + (problem ? std::string(problem->what()) : std::string(error.what()))
                             + ". Nothing was written.");
    }
}

} // namespace orlo::journal
