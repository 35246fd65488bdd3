#include "merge_source.h"

#include "database_backup.h"
#include "journal_connection.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "sqlite_library.h"

#include <algorithm>
#include <filesystem>

namespace orlo::journal {

namespace fs = std::filesystem;

namespace {

// SQLite's first finding on a damaged file, for the record: its check lists
// every damaged page, and the director needs none of them to act.
std::string firstFinding(const std::string &found)
{
    constexpr std::size_t longest = 80;
    std::string line;
    for (std::size_t start = 0; start < found.size() && (line.empty() || line.starts_with("***"));) {
        const std::size_t end = std::min(found.find('\n', start), found.size());
        line = found.substr(start, end - start);
        start = end + 1;
    }
    return line.size() > longest ? line.substr(0, longest - 1) + "…" : line;
}

} // namespace

// The other journal, read in one snapshot; one of an earlier layout is
// copied into folder and the copy carried forward, the original untouched.
Database openOther(const std::string &otherPath, std::unique_ptr<PrivateFolder> &folder)
{
    if (const std::string unfit = unfitJournalName(otherPath); !unfit.empty())
        throw JournalProblem(JournalAttempt::Read, otherPath, ProblemKind::Failed, unfit);
    if (!fs::exists(otherPath))
        throw JournalProblem(JournalAttempt::Read, otherPath, ProblemKind::NoJournal);
    Database other;
    try {
        other = openReadingConnection(otherPath);
        execute(other, "BEGIN");
        Statement check(other, "PRAGMA quick_check");
        if (!check.step() || check.text(0) != "ok")
            throw DatabaseError(SQLITE_CORRUPT, firstFinding(check.text(0)));
    } catch (const DatabaseError &error) {
        if (!isDamage(error))
            throw;
        // A file with no database header at all may be damaged, or some other file chosen by mistake.
        const std::string finding = error.code() == SQLITE_NOTADB ? std::string() : firstFinding(error.what());
        throw JournalProblem(JournalAttempt::Read, otherPath, ProblemKind::Damaged, finding, false,
                             error.extendedCode());
    }
    Statement id(other, "PRAGMA application_id"), version(other, "PRAGMA user_version");
    id.step();
    version.step();
    Statement tables(other, "SELECT count(*) FROM sqlite_schema");
    tables.step();
    if (id.integer(0) == 0 && version.integer(0) == 0 && tables.integer(0) == 0)
        throw JournalProblem(JournalAttempt::Read, otherPath, ProblemKind::NothingYet);
    if (id.integer(0) != applicationId && !(id.integer(0) == 0 && version.integer(0) == 1))
        throw JournalProblem(JournalAttempt::Read, otherPath, ProblemKind::Foreign);
    if (version.integer(0) > schemaVersion)
        throw JournalProblem(JournalAttempt::Read, otherPath, ProblemKind::LaterVersion);
    if (version.integer(0) == schemaVersion)
        return other;
    folder = std::make_unique<PrivateFolder>();
    const std::string copy = folder->path() + "/journal.sqlite";
    {
        DatabaseBackup backup(other, copy);
        backup.copyAll();
        backup.close();
    }
    JournalNotice notice;
    return openJournal(copy, Access::Record, notice);
}

} // namespace orlo::journal
