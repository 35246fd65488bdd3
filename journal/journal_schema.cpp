#include "journal_schema.h"

#include "sqlite_library.h"
#include "sqlite_statement.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace orlo::journal {

namespace fs = std::filesystem;

namespace {

// Each step takes the file from one version to the next. A later version of
// the program appends a step and never edits one, so that every file ever
// written is carried forward instead of replaced.
// A flight row is written with its first calculation; last_calculation and
// calculation_count are kept with every calculation, so that listing the
// flights needs no grouping over all calculations.
const char *const migrations[] = {
    R"sql(
CREATE TABLE flight (
    id INTEGER PRIMARY KEY,
    contestant TEXT NOT NULL DEFAULT '',
    last_calculation INTEGER,
    calculation_count INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE calculation (
    id INTEGER PRIMARY KEY,
    flight INTEGER NOT NULL REFERENCES flight(id),
    recorded_at TEXT NOT NULL,
    day TEXT NOT NULL,
    class_caption TEXT NOT NULL,
    hs_watch_1 TEXT NOT NULL,
    hs_watch_2 TEXT NOT NULL,
    ls_watch_1 TEXT NOT NULL,
    ls_watch_2 TEXT NOT NULL,
    hs_time TEXT NOT NULL,
    hs_mph TEXT NOT NULL,
    hs_points TEXT NOT NULL,
    ls_time TEXT NOT NULL,
    ls_mph TEXT NOT NULL,
    ls_points TEXT NOT NULL,
    engines_entered TEXT NOT NULL,
    engines_running TEXT NOT NULL,
    scale_points TEXT NOT NULL,
    landing_points TEXT NOT NULL,
    score TEXT NOT NULL,
    summary TEXT NOT NULL
);
CREATE INDEX calculation_of_flight ON calculation(flight, id);
CREATE INDEX calculation_by_day ON calculation(day);
)sql",
};
static_assert(std::size(migrations) == schemaVersion);

// Another program writing the same file holds its lock for one short
// transaction; this is far longer than any of those.
constexpr int busyTimeoutMs = 5000;

bool isDamage(const DatabaseError &error)
{
    return error.code() == SQLITE_NOTADB || error.code() == SQLITE_CORRUPT;
}

int userVersion(sqlite3 *db)
{
    Statement query(db, "PRAGMA user_version");
    return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

sqlite3 *openConnection(const std::string &path)
{
    sqlite3 *db = nullptr;
    const int code = sqlite().open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = db ? sqlite().errmsg(db) : sqlite().errstr(code);
        sqlite().close_v2(db);
        throw DatabaseError(code, message);
    }
    sqlite().busy_timeout(db, busyTimeoutMs);
    return db;
}

JournalProblem newerSchema(const std::string &path)
{
    return JournalProblem("The flight journal " + path
                          + " was written by a later version of Orlo Score; it is left as it is.");
}

// The file's version is read before anything is written, so that a file from
// a later version is refused untouched.
void prepare(sqlite3 *db, const std::string &path)
{
    if (userVersion(db) > schemaVersion)
        throw newerSchema(path);
    if (sqlite().db_readonly(db, "main") == 1)
        throw DatabaseError(SQLITE_READONLY, "the file is read-only");
    execute(db, "PRAGMA journal_mode=WAL");
    // FULL: in write-ahead mode each commit is then synced to the disk, so a
    // calculation survives a power cut as well as a killed program. NORMAL
    // would survive only the killed program.
    execute(db, "PRAGMA synchronous=FULL");

    WriteTransaction transaction(db);
    const int version = userVersion(db); // another program may have migrated meanwhile
    if (version > schemaVersion)
        throw newerSchema(path);
    if (version == schemaVersion)
        return;
    for (int step = version; step < schemaVersion; ++step)
        execute(db, migrations[step]);
    // A pragma takes no parameters; the number is the program's own constant.
    execute(db, ("PRAGMA user_version = " + std::to_string(schemaVersion)).c_str());
    transaction.commit();
}

sqlite3 *openPrepared(const std::string &path)
{
    sqlite3 *db = openConnection(path);
    try {
        prepare(db, path);
        return db;
    } catch (...) {
        sqlite().close_v2(db);
        throw;
    }
}

// Moves the damaged file, and the write-ahead log and index that belong to
// it, to a dated name that no file has yet: nothing is overwritten.
std::string moveAside(const std::string &path)
{
    const std::string stem = path + ".damaged-" + localTimeText(std::time(nullptr), "%Y-%m-%dT%H%M%S");
    std::string target = stem;
    for (int n = 2; fs::exists(target) || fs::exists(target + "-wal") || fs::exists(target + "-shm"); ++n)
        target = stem + "-" + std::to_string(n);
    fs::rename(path, target);
    for (const char *companion : {"-wal", "-shm"}) {
        std::error_code ignored;
        if (fs::exists(path + companion, ignored))
            fs::rename(path + companion, target + companion, ignored);
    }
    return target;
}

} // namespace

sqlite3 *openJournal(const std::string &path, std::string &notice)
{
    const std::string cannotKeep = "The flight journal cannot be kept in " + path + ": ";
    const std::string scoringGoesOn = ". Scoring goes on without it.";
    try {
        sqlite(); // loaded at the first opening, before anything is created
        const fs::path folder = fs::path(path).parent_path();
        if (!folder.empty())
            fs::create_directories(folder);
        try {
            return openPrepared(path);
        } catch (const DatabaseError &error) {
            if (!isDamage(error))
                throw;
        }
        try {
            const std::string kept = moveAside(path);
            notice = "The flight journal " + path + " was damaged; it is kept as " + kept
                + " and a fresh journal is started.";
        } catch (const fs::filesystem_error &) {
            // Another program may have moved it aside first.
            if (fs::exists(path))
                throw;
        }
        return openPrepared(path);
    } catch (const JournalProblem &) {
        throw;
    } catch (const DatabaseError &error) {
        throw JournalProblem(cannotKeep + error.what() + scoringGoesOn);
    } catch (const fs::filesystem_error &error) {
        throw JournalProblem(cannotKeep + error.code().message() + scoringGoesOn);
    } catch (const SqliteMissing &missing) {
        throw JournalProblem(cannotKeep + missing.what() + scoringGoesOn);
    }
}

std::string localTimeText(std::time_t when, const char *format)
{
    std::tm local{};
    localtime_r(&when, &local);
    char buffer[64];
    std::string text(buffer, std::strftime(buffer, sizeof buffer, format, &local));
    // ISO 8601 writes the offset from UTC with a colon: +0100 becomes +01:00.
    if (std::string_view(format).ends_with("%z") && text.size() >= 5)
        text.insert(text.size() - 2, ":");
    return text;
}

} // namespace orlo::journal
