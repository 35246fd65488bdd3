#pragma once

#include "database.h"

#include <string>

struct sqlite3_backup;

namespace orlo::journal {

// SQLite's online backup: every page a connection sees, its log's too, copied
// into a new database file, whole even while other programs write the source.
// Finished, and the copy closed, when the object goes.
class DatabaseBackup {
public:
    // Opens the file at copyPath, creating it, and starts the copy. Throws
    // DatabaseError.
    DatabaseBackup(const Database &source, const std::string &copyPath);
    ~DatabaseBackup();
    DatabaseBackup(const DatabaseBackup &) = delete;
    DatabaseBackup &operator=(const DatabaseBackup &) = delete;

    // Copies every page, waiting out another program's lock on the source or
    // its write, which restarts the copy: a few seconds, as long as a write
    // waits on a lock. Throws DatabaseError, SQLite's code in its words.
    void copyAll();
    // The copy's connection, for what is set on it before it closes.
    const Database &copy() const noexcept { return m_copy; }
    // Closes the copy, its last pages written. Throws DatabaseError.
    void close();

private:
    void finish() noexcept;

    Database m_copy;
    sqlite3_backup *m_backup = nullptr;
};

} // namespace orlo::journal
