#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace orlo::journal {

// A failed SQLite call, with SQLite's primary result code and, where SQLite
// told it, its extended one.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(int code, const std::string &message);
    int code() const noexcept { return m_code; }
    int extendedCode() const noexcept { return m_extended; }

private:
    int m_code;
    int m_extended;
};

// One prepared statement. Values are bound by position and never pasted into
// the SQL, so a contestant's name is text whatever it contains.
class Statement {
public:
    Statement(sqlite3 *db, std::string_view sql);
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
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};

// SQL without parameters: pragmas, schema, transaction control.
void execute(sqlite3 *db, const char *sql);

// BEGIN IMMEDIATE takes the write lock at once, waiting out another program's
// write under the busy timeout, instead of failing on a later upgrade.
// Rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3 *db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;
    void commit();

private:
    sqlite3 *m_db;
    bool m_open = true;
};

} // namespace orlo::journal
