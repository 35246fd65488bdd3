#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace orlo::journal {

// What a failed SQLite call means to its caller, which words its own
// sentence from it: a write that waits, a refusal, a file moved aside.
enum class ErrorKind {
    Busy,        // another connection holds a lock (SQLITE_BUSY, SQLITE_LOCKED)
    ReadOnly,    // the file, its folder or the connection may not be written
    DiskFull,    // no room for the file, its log or the log's index
    Corrupt,     // no database, or a damaged one
    CannotOpen,  // missing, or not to be opened by this user
    InputOutput, // the disk failed a read, a write or a sync
    Other,
};

// The kind of an SQLite result code, primary or extended.
ErrorKind errorKind(int code) noexcept;

// A failed SQLite call: SQLite's primary result code, the extended one where
// SQLite told it (the primary otherwise), and their kind. what() is for the
// logs: SQLite's words and the extended code, "disk I/O error (code 778)".
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(int code, const std::string &message);
    int code() const noexcept { return m_extended & 0xff; }
    int extendedCode() const noexcept { return m_extended; }
    ErrorKind kind() const noexcept { return errorKind(m_extended); }

private:
    int m_extended;
};

// One connection to a database file, closed when the object goes. Empty
// when default-made, moved from or closed.
//
// Who opens one on the journal, and what for: the recording program's one
// FlightJournal writes the calculations as the sheet shows them, and a
// ContestJournal, opened for a director's change alone (entry list,
// correction, contest settings), writes that change in one transaction;
// neither answers the windows' reads. Every window and the command line
// read through a JournalReader, whose ReadOnlyDatabase cannot write. Each of
// them opens the file through openJournal, so that nothing but SQLite holds
// a descriptor of it.
class Database {
public:
    Database() noexcept = default;
    // Opens path with SQLite's flags and busy timeout. Throws DatabaseError.
    Database(const std::string &path, int flags, int busyTimeoutMs);
    ~Database() { close(); }
    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    explicit operator bool() const noexcept { return m_db != nullptr; }

    void setBusyTimeout(int ms) const;
    bool readOnly() const; // the main file cannot be written through this connection
    std::int64_t lastInsertedRow() const;
    // Closes now; a failure is not told, as on a path already failing.
    void close() noexcept;
    // Closes now and throws DatabaseError when SQLite could not: a copy's
    // last pages are written as it closes.
    void closeChecked();
    // Throws the error behind code, in SQLite's words for this connection.
    [[noreturn]] void fail(int code) const;

    // Whether the file this connection opened is no longer at its name:
    // renamed, or removed. False when SQLite cannot tell.
    bool hasMoved() const noexcept;
    // The log stays as it is when this connection closes, even as the last
    // one: neither written into the file nor removed. Throws DatabaseError.
    void keepLog() const;
    // The log is not written into the file when this connection closes. A
    // failure is not told: the connection is closing on a path already
    // failing.
    void leaveLogUnwritten() const noexcept;

private:
    friend class Statement;
    friend class WriteTransaction;
    friend class ReadTransaction;
    friend class DatabaseBackup;
    friend void execute(const Database &db, const char *sql);
    friend void checkpoint(const Database &db);
    sqlite3 *handle() const noexcept { return m_db; }

    sqlite3 *m_db = nullptr;
};

// A connection that only reads: it offers no transaction, no SQL run
// unprepared and no handle, the connection refuses every write (query_only),
// and a statement prepared on it that would write is refused as it is
// prepared. Empty when default-made, moved from or closed.
class ReadOnlyDatabase {
public:
    ReadOnlyDatabase() noexcept = default;
    // Takes over an open connection. Throws DatabaseError.
    explicit ReadOnlyDatabase(Database opened);

    explicit operator bool() const noexcept { return static_cast<bool>(m_db); }
    void close() noexcept { m_db.close(); }

private:
    friend class Statement;
    Database m_db;
};

// One prepared statement. Values are bound by position and never pasted into
// the SQL, so a contestant's name is text whatever it contains.
class Statement {
public:
    Statement(const Database &db, std::string_view sql);
    // Throws DatabaseError (SQLITE_READONLY) for a statement that would write.
    Statement(const ReadOnlyDatabase &db, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(int position, std::string_view text);
    Statement &bind(int position, std::int64_t value);

    bool step(); // true while a row is ready to read
    // Ready to run again, with new values bound: preparing once saves the
    // parse for every row of a long import.
    Statement &reset();
    void run();  // steps through to the end
    std::string text(int column) const;
    std::int64_t integer(int column) const;

private:
    const Database &m_db;
    sqlite3_stmt *m_statement = nullptr;
};

// SQL without parameters: pragmas, schema, transaction control.
void execute(const Database &db, const char *sql);

// BEGIN IMMEDIATE takes the write lock at once, waiting out another program's
// write under the busy timeout, instead of failing on a later upgrade.
// Rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(const Database &db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;
    void commit();

private:
    const Database &m_db;
    bool m_open = true;
};

// BEGIN: what is read until the commit is read in one snapshot, another
// program's write seen whole or not at all. Rolled back unless committed.
class ReadTransaction {
public:
    explicit ReadTransaction(const Database &db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;
    void commit();

private:
    const Database &m_db;
    bool m_open = true;
};

// Writes what the log holds into the database file itself and empties the
// log, so that a copy of the file alone is whole; skipped while another
// program reads. Throws DatabaseError on a failure other than that.
void checkpoint(const Database &db);

} // namespace orlo::journal
