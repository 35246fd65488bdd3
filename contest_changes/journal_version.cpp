#include "journal_version.h"

#include "journal_connection.h"

#include <exception>

namespace orlo::journal {

JournalVersion::JournalVersion(std::string path) : m_path(std::move(path)) {}

std::optional<std::int64_t> JournalVersion::read()
{
    const FileIdentity file = identityOf(m_path);
    if (m_db && !file.sameFile(m_file))
        m_db.close();
    try {
        if (!m_db) {
            // Without the index the reading connection would open the file as
            // it lies, or a private copy of it, whose version never moves.
            if (!file.exists || !identityOf(m_path + "-shm").exists)
                return std::nullopt;
            Database opened = openReadingConnection(m_path);
            // The look runs on the windows' thread: a lock is waited out at the next look.
            opened.setBusyTimeout(0);
            m_db = ReadOnlyDatabase(std::move(opened));
            m_file = file;
            m_reopened = m_looked;
        }
        Statement version(m_db, "PRAGMA data_version");
        if (!version.step())
            return std::nullopt;
        return version.integer(0);
    } catch (const std::exception &) {
        // Busy, moved, damaged or without SQLite: the next look opens it afresh
        // and says it changed, as it may have meanwhile.
        m_db.close();
        return std::nullopt;
    }
}

bool JournalVersion::closedFileChanged()
{
    // Nobody holds the journal open: a program that opened it, changed it
    // and closed it again (a merge from the command line, a second table)
    // left no index to look at, only the file written on the disk. Told by
    // stat() alone: this program opens nothing of the journal but through SQLite.
    const FileIdentity now = identityOf(m_path);
    const bool changed = m_closedSeen && !now.unchanged(m_closed);
    m_closed = now;
    m_closedSeen = true;
    return changed;
}

bool JournalVersion::changed()
{
    const std::optional<std::int64_t> version = read();
    if (!version)
        return closedFileChanged();
    m_closedSeen = false;
    const bool changed = m_reopened || (m_looked && *version != m_version);
    m_version = *version;
    m_looked = true;
    m_reopened = false;
    return changed;
}

void JournalVersion::settle()
{
    const std::optional<std::int64_t> version = read();
    // Unreadable now, the journal as it will be read first is a change since.
    m_looked = true;
    if (version) {
        m_version = *version;
        m_reopened = false;
        m_closedSeen = false;
    } else {
        closedFileChanged();
    }
}

} // namespace orlo::journal
