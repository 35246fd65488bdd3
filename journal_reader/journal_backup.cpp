#include "journal_reader.h"

#include "database.h"
#include "database_backup.h"
#include "journal_files.h"
#include "journal_schema.h"

#include <filesystem>

namespace orlo::journal {

namespace {

// Copies every page of source into the file at copyPath, waiting out
// another program's writes, which restart the copy. The copy keeps no log
// of its own: it is one file, whole, wherever it is carried.
void copyPages(const Database &source, const std::string &copyPath)
{
    DatabaseBackup backup(source, copyPath);
    backup.copyAll();
    execute(backup.copy(), "PRAGMA journal_mode=DELETE");
    backup.close();
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
