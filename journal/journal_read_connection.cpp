#include "journal_connection.h"

#include "database.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "sqlite_library.h"

#include <filesystem>
#include <unistd.h>

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

// A log without its index: the journal was copied without its -shm (to a
// stick, after a kill), and no program has it open, since every connection
// keeps the index beside the journal while it does. SQLite reads such a
// log only where it may make the index, and opened "immutable" it ignores
// the log: flights would be missing without a word. So the journal and its
// log are copied as they lie into a private folder, the log written into
// the copy there, and the copy read. Copying bytes of a journal outside
// SQLite would drop this program's locks on it; with no index beside it,
// this program holds none.
Database openPrivateCopy(const std::string &path)
{
    const PrivateFolder folder;
    const std::string copy = folder.path() + "/journal.sqlite";
    try {
        fs::copy_file(path, copy);
        fs::copy_file(path + "-wal", copy + "-wal");
    } catch (const fs::filesystem_error &error) {
        throw JournalProblem(JournalAttempt::Read, path, ProblemKind::LogCopyFailed, error.code().message());
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
