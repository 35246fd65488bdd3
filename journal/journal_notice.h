#pragma once

#include <string>
#include <utility>

namespace orlo::journal {

// What befell the journal that its user should hear of, as facts: the
// program above words it.
enum class JournalEvent {
    None,
    CarriedForward,       // an older journal brought to this version's layout
    DamagedMovedAside,    // aside: where the damaged file is kept; a fresh journal started
    LogWithoutJournal,    // aside: where a log found without its journal is kept
    Stopped,              // the journal cannot be kept: cause; nothing more is recorded
    RefusedForeign,       // another program's database at path, left as it is
    RefusedLaterVersion,  // a later version's journal at path, left as it is
    Waiting,              // calculations wait in memory: why, and cause
    RecordsAgain,         // every calculation that waited is written
    MovedAway,            // aside: the journal's new name; a new journal at path
    RemovedNotWrittenBack, // cause: why its flights could not be written back; a new journal at path
    RemovedNameTaken,     // another file took the name; aside: where its flights are kept
    RemovedKeptAside,     // aside: where its flights are kept; a new journal at path
    RemovedWrittenBack,   // every flight written back at path; recording goes on there
};

// Why calculations wait.
enum class WaitCause { Locked, DiskFull, WriteFailed };

struct JournalNotice {
    JournalNotice() = default;
    JournalNotice(JournalEvent what, std::string journal, std::string elsewhere = {}, std::string why = {},
                  WaitCause waitingFor = WaitCause::WriteFailed)
        : event(what), path(std::move(journal)), aside(std::move(elsewhere)), cause(std::move(why)),
          waitCause(waitingFor)
    {
    }

    JournalEvent event = JournalEvent::None;
    std::string path;
    std::string aside;
    std::string cause; // SQLite's or the system's own words
    // A new journal at path starts with the contest the journal moved or
    // removed held, as it was; carriedName is its name, empty when never named.
    bool contestCarried = false;
    std::string carriedName;
    WaitCause waitCause = WaitCause::WriteFailed;

    explicit operator bool() const { return event != JournalEvent::None; }
};

} // namespace orlo::journal
