#include "database.h"

#include "sqlite_library.h"

#include <string>
#include <utility>

namespace orlo::journal {

ErrorKind errorKind(int code) noexcept
{
    // A log's index that cannot grow is a full disk (of /dev/shm, or the folder's).
    if (code == SQLITE_IOERR_SHMSIZE)
        return ErrorKind::DiskFull;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ErrorKind::Busy;
    case SQLITE_READONLY: return ErrorKind::ReadOnly;
    case SQLITE_FULL: return ErrorKind::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return ErrorKind::Corrupt;
    case SQLITE_CANTOPEN: return ErrorKind::CannotOpen;
    case SQLITE_IOERR: return ErrorKind::InputOutput;
    default: return ErrorKind::Other;
    }
}

DatabaseError::DatabaseError(int code, const std::string &message) : std::runtime_error(message), m_extended(code)
{
}

Database::Database(const std::string &path, int flags, int busyTimeoutMs)
{
    const int code = sqlite().open_v2(path.c_str(), &m_db, flags, nullptr);
    if (code != SQLITE_OK) {
        // A handle is made for most failures, and its words are the better.
        const std::string message = m_db ? sqlite().errmsg(m_db) : sqlite().errstr(code);
        close();
        throw DatabaseError(code, message + " (code " + std::to_string(code) + ")");
    }
    setBusyTimeout(busyTimeoutMs);
}

Database::Database(Database &&other) noexcept : m_db(std::exchange(other.m_db, nullptr))
{
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        close();
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

void Database::setBusyTimeout(int ms) const
{
    sqlite().busy_timeout(m_db, ms);
}

bool Database::readOnly() const
{
    return sqlite().db_readonly(m_db, "main") == 1;
}

std::int64_t Database::lastInsertedRow() const
{
    return sqlite().last_insert_rowid(m_db);
}

void Database::close() noexcept
{
    // Without a file open, SQLite may never have been loaded.
    if (m_db)
        sqlite().close_v2(std::exchange(m_db, nullptr));
}

void Database::closeChecked()
{
    if (!m_db)
        return;
    const int code = sqlite().close_v2(std::exchange(m_db, nullptr));
    if (code != SQLITE_OK)
        throw DatabaseError(code, std::string(sqlite().errstr(code)) + " (code " + std::to_string(code) + ")");
}

// The message names the extended code too: "disk I/O error (code 778)"
// tells a failed write from a failed read or sync.
void Database::fail(int code) const
{
    const int extended = m_db ? sqlite().extended_errcode(m_db) : code;
    const std::string message = m_db ? sqlite().errmsg(m_db) : sqlite().errstr(code);
    throw DatabaseError((extended & 0xff) == (code & 0xff) ? extended : code,
                        message + " (code " + std::to_string(extended) + ")");
}

Statement::Statement(const Database &db, std::string_view sql) : m_db(db)
{
    const int code = sqlite().prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr);
    if (code != SQLITE_OK)
        db.fail(code);
}

ReadOnlyDatabase::ReadOnlyDatabase(Database opened) : m_db(std::move(opened))
{
    execute(m_db, "PRAGMA query_only=1");
}

Statement::Statement(const ReadOnlyDatabase &db, std::string_view sql) : Statement(db.m_db, sql)
{
    if (!sqlite().stmt_readonly(m_statement))
        throw DatabaseError(SQLITE_READONLY, "a reader's statement would write (code " + std::to_string(SQLITE_READONLY)
                                                 + ")");
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
        m_db.fail(code);
    return *this;
}

Statement &Statement::bind(int position, std::int64_t value)
{
    const int code = sqlite().bind_int64(m_statement, position, value);
    if (code != SQLITE_OK)
        m_db.fail(code);
    return *this;
}

bool Statement::step()
{
    const int code = sqlite().step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    m_db.fail(code);
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

void execute(const Database &db, const char *sql)
{
    const int code = sqlite().exec(db.handle(), sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        db.fail(code);
}

bool Database::hasMoved() const noexcept
{
    int moved = 0;
    return sqlite().file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved;
}

void Database::keepLog() const
{
    int persist = 1;
    int code = sqlite().file_control(m_db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    if (code == SQLITE_OK)
        code = sqlite().db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    if (code != SQLITE_OK)
        fail(code);
}

void Database::leaveLogUnwritten() const noexcept
{
    sqlite().db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

WriteTransaction::WriteTransaction(const Database &db) : m_db(db)
{
    execute(db, "BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction()
{
    if (m_open)
        sqlite().exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteTransaction::commit()
{
    execute(m_db, "COMMIT");
    m_open = false;
}

ReadTransaction::ReadTransaction(const Database &db) : m_db(db)
{
    execute(db, "BEGIN");
}

ReadTransaction::~ReadTransaction()
{
    if (m_open)
        sqlite().exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void ReadTransaction::commit()
{
    execute(m_db, "COMMIT");
    m_open = false;
}

void checkpoint(const Database &db)
{
    const int code = sqlite().wal_checkpoint_v2(db.handle(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (code != SQLITE_OK && errorKind(code) != ErrorKind::Busy)
        db.fail(code);
}

} // namespace orlo::journal
