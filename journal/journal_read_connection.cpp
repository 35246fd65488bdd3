#include "journal_connection.h"

#include "database.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "sqlite_library.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace orlo::journal {

namespace fs = std::filesystem;

namespace {

// Opens the file as it lies, without locks, log or index, and makes nothing
// beside it: right for a journal no program has open, as nothing is in a log.
Database openUnchangeable(const std::string &path)
{
    std::string uri = "file:";
    for (const char c : fs::absolute(path).string()) {
        if (c == '%' || c == '?' || c == '#') {
            static const char hex[] = "0123456789ABCDEF";
            uri += {'%', hex[(c >> 4) & 0xf], hex[c & 0xf]};
        } else {
            uri += c;
        }
    }
    uri += "?immutable=1";
    return Database(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, readingBusyTimeoutMs);
}

// Copies the file at from into a new file at to, of this user's and
// writable whatever the original's permissions, so that SQLite can make the
// log's index beside the copy. The original is read through SQLite's own
// file layer: a descriptor of it SQLite closes while this program holds
// locks on the file stays open until they are released, where closing one
// of our own would drop them.
void copyThroughSqlite(const std::string &from, const std::string &to)
{
    sqlite3_vfs *const vfs = sqlite().vfs_find(nullptr);
    // The name as SQLite hands it to its file layer, ended by an empty list of URI parameters.
    const std::string name = from + std::string(2, '\0');
    std::vector<std::max_align_t> storage(vfs->szOsFile / sizeof(std::max_align_t) + 1);
    auto *const file = reinterpret_cast<sqlite3_file *>(storage.data());
    // The system's words for what stood in the way, as a failed open leaves them.
    const auto failed = [](int code) {
        const int error = errno;
        return DatabaseError(code, error ? std::strerror(error) : sqlite().errstr(code));
    };
    int opened = 0;
    errno = 0;
    int code = vfs->xOpen(vfs, name.c_str(), file, SQLITE_OPEN_READONLY | SQLITE_OPEN_MAIN_DB, &opened);
    if (code != SQLITE_OK)
        throw failed(code);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const DatabaseError error = failed(SQLITE_CANTOPEN);
        file->pMethods->xClose(file);
        throw error;
    }
    sqlite3_int64 size = 0;
    code = file->pMethods->xFileSize(file, &size);
    std::vector<char> buffer(1 << 16);
    for (sqlite3_int64 done = 0; code == SQLITE_OK && done < size;) {
        const int length = static_cast<int>(std::min<sqlite3_int64>(size - done, buffer.size()));
        code = file->pMethods->xRead(file, buffer.data(), length, done);
        if (code == SQLITE_OK && ::write(out, buffer.data(), length) != length)
            code = SQLITE_IOERR_WRITE;
        done += length;
    }
    file->pMethods->xClose(file);
    if (::close(out) != 0 && code == SQLITE_OK)
        code = SQLITE_IOERR_CLOSE;
    if (code != SQLITE_OK)
        throw DatabaseError(code, std::string(sqlite().errstr(code)) + " (code " + std::to_string(code) + ")");
}

// A log without its index: the journal was copied without its -shm (to a
// stick, after a kill), and no program has it open, since every connection
// keeps the index beside the journal while it does. SQLite reads such a
// log only where it may make the index, and opened "immutable" it ignores
// the log: flights would be missing without a word. So the journal and its
// log are copied as they lie into a private folder, the log written into
// the copy there, and the copy read.
Database openPrivateCopy(const std::string &path)
{
    const PrivateFolder folder;
    const std::string copy = folder.path() + "/journal.sqlite";
    try {
        copyThroughSqlite(path, copy);
        copyThroughSqlite(path + "-wal", copy + "-wal");
    } catch (const DatabaseError &error) {
        throw JournalProblem(JournalAttempt::Read, path, ProblemKind::LogCopyFailed, error.what(), false,
                             error.extendedCode());
    }
    {
        const Database whole(copy, SQLITE_OPEN_READWRITE, readingBusyTimeoutMs);
        checkpoint(whole);
        execute(whole, "PRAGMA journal_mode=DELETE");
    }
    // The connection reads the copy through its open file once the folder is gone.
    return openUnchangeable(copy);
}

// A reader that may write the file opens it as any other program does but
// with every write refused (query_only); one that may not opens it read-only.
bool mayWrite(const std::string &path)
{
    const fs::path folder = fs::absolute(path).parent_path();
    return access(path.c_str(), W_OK) == 0 && access(folder.c_str(), W_OK) == 0;
}

} // namespace

// Without the log's index beside the journal no program has it open: the
// file is read as it lies, or with its log from a private copy, and nothing
// is made beside it, so that another user's read leaves no -wal or -shm the
// owner cannot write, and a read on a full disk needs no room. With the
// index there, the reader joins the programs that have the journal open.
Database openReadingConnection(const std::string &path)
{
    const auto withoutIndex = [&path] {
        return identityOf(path + "-wal").size > 0 ? openPrivateCopy(path) : openUnchangeable(path);
    };
    if (!identityOf(path + "-shm").exists)
        return withoutIndex();
    Database connection(path, mayWrite(path) ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, readingBusyTimeoutMs);
    // A reading connection never writes the log into the journal nor removes
    // it at its close, as the last connection to a journal otherwise does: a
    // program that lost its locks on the journal (another descriptor of the
    // file closed in it) would go on writing into a log nobody reads.
    connection.keepLog();
    execute(connection, "PRAGMA query_only=1");
    try {
        Statement(connection, "PRAGMA user_version").step();
    } catch (const DatabaseError &error) {
        // An index this user may not read.
        if (error.kind() != ErrorKind::CannotOpen && error.kind() != ErrorKind::ReadOnly)
            throw;
        return withoutIndex();
    }
    return connection;
}

} // namespace orlo::journal
