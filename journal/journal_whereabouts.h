#pragma once

#include "journal_files.h"
#include "journal_notice.h"

#include <string>

namespace orlo::journal {

class Database;

// What became of the journal a recording connection writes into, told by
// the names of its files and by this program's locks on it.
enum class Whereabouts {
    AtItsName,
    // Another descriptor of the file closed in this program dropped its
    // locks: another program may take itself for the journal's last reader
    // and remove the log this one writes into.
    LocksLost,
    // The log or its index at the journal's name is another file, or none.
    LogReplaced,
    Moved,   // the journal is at another name
    Removed, // the journal is at no name: the open connection alone holds it
};

// opened: the files just after the connection opened them; lockShown:
// whether its lock showed in /proc/locks then, as it does on local disks.
Whereabouts whereaboutsOf(const Database &db, const std::string &path, const JournalFiles &opened, bool lockShown);

// Before the connection to a moved or removed journal is closed: keeps
// every flight it holds, the moved journal whole at its new name with its
// log and index beside it, the removed one written back at path. Returns
// what became of the flights; newJournal says whether the flights from now
// on go into a new journal at path.
JournalNotice keepFlightsOf(const Database &db, const std::string &path, const JournalFiles &opened,
                            Whereabouts whereabouts, bool &newJournal);

} // namespace orlo::journal
