#include "journal_whereabouts.h"

#include "database.h"
#include "database_backup.h"
#include "journal_schema.h"

#include <filesystem>
#include <unistd.h>

namespace orlo::journal {

namespace fs = std::filesystem;

namespace {

// Writes every page the connection sees, its log's too, into a new file at
// target, one file marked for a write-ahead log as the journal is.
void writeBack(const Database &db, const std::string &target)
{
    try {
        DatabaseBackup backup(db, target);
        backup.copyAll();
        backup.close();
    } catch (const DatabaseError &) {
        std::error_code ignored;
        fs::remove(target, ignored);
        throw;
    }
}

} // namespace

Whereabouts whereaboutsOf(const Database &db, const std::string &path, const JournalFiles &opened, bool lockShown)
{
    const JournalFiles now = journalFilesAt(path);
    if (!now.journal.sameFile(opened.journal) || db.hasMoved())
        return openedName(opened.journal).empty() ? Whereabouts::Removed : Whereabouts::Moved;
    if (!now.log.sameFile(opened.log) || !now.index.sameFile(opened.index))
        return Whereabouts::LogReplaced;
    if (lockShown && !holdsLock(opened.journal))
        return Whereabouts::LocksLost;
    return Whereabouts::AtItsName;
}

JournalNotice keepFlightsOf(const Database &db, const std::string &path, const JournalFiles &opened,
                            Whereabouts whereabouts, bool &newJournal)
{
    const JournalFiles now = journalFilesAt(path);
    const bool logHere = now.log.sameFile(opened.log) && now.index.sameFile(opened.index);
    std::error_code ignored;
    if (whereabouts == Whereabouts::Moved) {
        // The moved file made whole, so that it needs no log; what a reader
        // elsewhere keeps in the log meanwhile goes with the log.
        if (logHere) {
            try {
                checkpoint(db);
            } catch (const DatabaseError &) {
            }
        }
        const std::string movedTo = openedName(opened.journal);
        // A new journal at path must not share the moved one's log and index.
        if (logHere) {
            const bool free = !fs::exists(movedTo + "-wal") && !fs::exists(movedTo + "-shm");
            for (const char *companion : {"-wal", "-shm"}) {
                if (free)
                    fs::rename(path + companion, movedTo + companion, ignored);
                else
                    moveAside(path + companion, ".of-moved-journal-");
            }
        }
        newJournal = true;
        return {JournalEvent::MovedAway, path, movedTo};
    }
    // Removed: written back from the open file, its log read through it.
    const std::string part = path + ".part-" + std::to_string(getpid());
    try {
        writeBack(db, part);
    } catch (const DatabaseError &error) {
        newJournal = true;
        return {JournalEvent::RemovedNotWrittenBack, path, {}, error.what()};
    }
    if (logHere) {
        // Removing a name opens nothing; the open connections keep the files.
        fs::remove(path + "-wal", ignored);
        fs::remove(path + "-shm", ignored);
    }
    if (fs::exists(path)) {
        newJournal = true;
        return {JournalEvent::RemovedNameTaken, path, part};
    }
    fs::rename(part, path, ignored);
    newJournal = static_cast<bool>(ignored);
    if (newJournal)
        return {JournalEvent::RemovedKeptAside, path, part};
    return {JournalEvent::RemovedWrittenBack, path};
}

} // namespace orlo::journal
