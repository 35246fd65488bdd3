#pragma once

#include "database.h"
#include "journal_files.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orlo::journal {

// Whether another connection committed a change to the journal since the
// last look, from SQLite's data_version over a reading connection of its
// own: this program's other connections count as others, its writes too;
// while nobody holds the journal open, from the file's size and time.
// The connection is opened at the first look, and again when the file at
// the journal's name is another one (moved, removed, replaced) or a read
// failed. Nothing is opened while no program has the journal open (no
// log's index beside it). Never throws.
class JournalVersion {
public:
    explicit JournalVersion(std::string path);

    // True when a change was committed since the last look or settle(), or
    // when the connection had to be opened anew since, which may have
    // missed one. False when the journal cannot be read now.
    bool changed();
    // Takes the journal as it is now as seen, saying nothing of a change;
    // one that cannot be read now is a change once it can.
    void settle();

private:
    std::optional<std::int64_t> read();
    bool closedFileChanged();

    std::string m_path;
    ReadOnlyDatabase m_db;
    FileIdentity m_file;
    std::int64_t m_version = 0;
    bool m_looked = false;   // settled or read before
    bool m_reopened = false; // opened anew since the version last read
    FileIdentity m_closed;    // the file as last seen with nobody holding it open
    bool m_closedSeen = false;
};

} // namespace orlo::journal
