#pragma once

#include "sqlite_library.h"

#include <string>
#include <utility>

namespace orlo::journal {

// Reading has no press waiting on it.
inline constexpr int readingBusyTimeoutMs = 5000;

// Opens a connection with SQLite's flags. Throws DatabaseError.
sqlite3 *openConnection(const std::string &path, int flags, int busyTimeoutMs);

// Closes the connection unless released: on every path that throws.
struct Connection {
    sqlite3 *db;
    ~Connection() { sqlite().close_v2(db); }
    sqlite3 *release() { return std::exchange(db, nullptr); }
};

// A connection that reads the journal at path and never writes it, nor
// writes or removes its log, nor makes anything beside it. Throws
// DatabaseError and JournalProblem.
sqlite3 *openReadingConnection(const std::string &path);

} // namespace orlo::journal
