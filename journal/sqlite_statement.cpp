#include "sqlite_statement.h"

#include "sqlite_library.h"

#include <string>

namespace orlo::journal {

DatabaseError::DatabaseError(int code, const std::string &message)
    : std::runtime_error(message), m_code(code & 0xff), m_extended(code)
{
}

namespace {

// The message names the extended code too: "disk I/O error (code 778)"
// tells a failed write from a failed read or sync.
[[noreturn]] void fail(sqlite3 *db, int code)
{
    const int extended = db ? sqlite().extended_errcode(db) : code;
    const std::string message = db ? sqlite().errmsg(db) : sqlite().errstr(code);
    throw DatabaseError((extended & 0xff) == (code & 0xff) ? extended : code,
                        message + " (code " + std::to_string(extended) + ")");
}

} // namespace

Statement::Statement(sqlite3 *db, std::string_view sql) : m_db(db)
{
    const int code = sqlite().prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(db, code);
}

Statement::~Statement()
{
    sqlite().finalize(m_statement);
}

Statement &Statement::bind(int position, std::string_view text)
{
    const int code = sqlite().bind_text64(m_statement, position, text.data(), text.size(), SQLITE_TRANSIENT,
                                          SQLITE_UTF8);
    if (code != SQLITE_OK)
        fail(m_db, code);
    return *this;
}

Statement &Statement::bind(int position, std::int64_t value)
{
    const int code = sqlite().bind_int64(m_statement, position, value);
    if (code != SQLITE_OK)
        fail(m_db, code);
    return *this;
}

bool Statement::step()
{
    const int code = sqlite().step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    fail(m_db, code);
}

Statement &Statement::reset()
{
    // The code repeats the last step's, which was checked then.
    sqlite().reset(m_statement);
    return *this;
}

void Statement::run()
{
    while (step()) {
    }
}

std::string Statement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite().column_text(m_statement, column));
    if (!bytes)
        return {};
    return std::string(bytes, static_cast<std::size_t>(sqlite().column_bytes(m_statement, column)));
}

std::int64_t Statement::integer(int column) const
{
    return sqlite().column_int64(m_statement, column);
}

void execute(sqlite3 *db, const char *sql)
{
    const int code = sqlite().exec(db, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        fail(db, code);
}

WriteTransaction::WriteTransaction(sqlite3 *db) : m_db(db)
{
    execute(db, "BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction()
{
    if (m_open)
        sqlite().exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteTransaction::commit()
{
    execute(m_db, "COMMIT");
    m_open = false;
}

} // namespace orlo::journal
