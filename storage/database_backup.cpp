#include "database_backup.h"

#include "sqlite_library.h"

#include <chrono>
#include <thread>
#include <utility>

namespace orlo::journal {

DatabaseBackup::DatabaseBackup(const Database &source, const std::string &copyPath)
    : m_copy(copyPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, 0)
{
    m_backup = sqlite().backup_init(m_copy.handle(), "main", source.handle(), "main");
    if (!m_backup)
        m_copy.fail(sqlite().extended_errcode(m_copy.handle()));
}

DatabaseBackup::~DatabaseBackup()
{
    finish();
}

void DatabaseBackup::finish() noexcept
{
    if (m_backup)
        sqlite().backup_finish(std::exchange(m_backup, nullptr));
}

void DatabaseBackup::copyAll()
{
    int code = SQLITE_OK;
    for (int waits = 0; (code = sqlite().backup_step(m_backup, -1)) != SQLITE_DONE; ++waits) {
        if ((code != SQLITE_OK && errorKind(code) != ErrorKind::Busy) || waits == 100)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    finish();
    if (code != SQLITE_DONE)
        throw DatabaseError(code, std::string(sqlite().errstr(code)) + " (code " + std::to_string(code) + ")");
}

void DatabaseBackup::close()
{
    finish();
    m_copy.closeChecked();
}

} // namespace orlo::journal
