#include "journal_reader.h"

#include "database.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "sqlite_library.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace orlo::journal {

namespace {

// Copies every page of source into the file at copyPath, waiting out
// another program's writes, which restart the copy. The copy keeps no log
// of its own: it is one file, whole, wherever it is carried.
void copyPages(const Database &source, const std::string &copyPath)
{
    Database copy(copyPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, 0);
    sqlite3_backup *backup = sqlite().backup_init(copy.handle(), "main", source.handle(), "main");
    if (!backup)
        copy.fail(sqlite().extended_errcode(copy.handle()));
    int code = SQLITE_OK;
    for (int waits = 0; (code = sqlite().backup_step(backup, -1)) != SQLITE_DONE; ++waits) {
        if ((code != SQLITE_OK && errorKind(code) != ErrorKind::Busy) || waits == 100)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    sqlite().backup_finish(backup);
    if (code != SQLITE_DONE)
        throw DatabaseError(code, std::string(sqlite().errstr(code)) + " (code " + std::to_string(code) + ")");
    execute(copy, "PRAGMA journal_mode=DELETE");
    copy.closeChecked();
}

} // namespace

int backUpJournal(const std::string &journalPath, const std::string &copyPath)
{
    namespace fs = std::filesystem;
    if (isJournalFile(copyPath, journalPath))
        throw JournalProblem(JournalAttempt::BackUp, copyPath, ProblemKind::OntoItself);
    JournalNotice notice;
    Database source = openJournal(journalPath, Access::Read, notice);
    int flights = 0;
    try {
        writeAside(copyPath, [&](const std::string &part) {
            try {
                copyPages(source, part);
                source.close();
                flights = JournalReader(part).flightCount();
            } catch (...) {
                std::error_code ignored;
                for (const char *companion : {"-wal", "-shm", "-journal"})
                    fs::remove(part + companion, ignored);
                throw;
            }
        });
        return flights;
    } catch (const JournalProblem &copyUnread) {
        throw JournalProblem(JournalAttempt::BackUp, copyPath, copyUnread);
    } catch (const DatabaseError &error) {
        // Its code tells a full disk from the other failures.
        throw JournalProblem(JournalAttempt::BackUp, copyPath, ProblemKind::Failed, error.what(), false,
                             error.extendedCode());
    } catch (const std::exception &error) {
        throw JournalProblem(JournalAttempt::BackUp, copyPath, ProblemKind::Failed, error.what());
    }
}

} // namespace orlo::journal
