#include "journal_schema.h"

#include "database.h"
#include "journal_columns.h"
#include "journal_connection.h"
#include "journal_files.h"
#include "journal_steps.h"
#include "series_store.h"
#include "sqlite_library.h"

#include <chrono>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace orlo::journal {

namespace fs = std::filesystem;

namespace {

// Each step takes the file from one version to the next, in the transaction
// that marks the new version. A later version of
// the program appends a step and never edits one, so that every file ever
// written is carried forward instead of replaced.
// A flight row is written with its first calculation; last_calculation and
// calculation_count are kept with every calculation, so that listing the
// flights needs no grouping over all calculations.
const char *const firstLayout = R"sql(
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
)sql";

using Step = void (*)(const Database &db);
const Step migrations[] = {
    [](const Database &db) { execute(db, firstLayout); },
    // The layout is unchanged; the file is marked with the application id,
    // which the first version did not write.
    [](const Database &) {},
    addEntryList,
    // The multiple engine bonus in a column of its own, taken for the
    // flights recorded before from their summary's bonus line.
    [](const Database &db) {
        execute(db, R"sql(
ALTER TABLE calculation ADD COLUMN engine_bonus TEXT NOT NULL DEFAULT '';
UPDATE calculation SET engine_bonus = '20.0'
    WHERE instr(char(10) || summary || char(10), char(10) || ' 20.0 Multiple Engine Bonus' || char(10)) > 0;
)sql");
    },
    addContestSettings,
    addSeason,
    addClassChanges,
    addSeries,
    addFlightTimes,
    addFlightOrder,
};
static_assert(std::size(migrations) == schemaVersion);

// A press waits this long for another program's short transaction; a longer
// lock is waited out without the press (FlightJournal keeps the calculation).
constexpr int recordingBusyTimeoutMs = 200;

// A lock, a failed read or write, a full disk or a lost race for the log's
// locks may be gone at the next try.
bool isPassing(const DatabaseError &error)
{
    switch (error.kind()) {
    case ErrorKind::Busy:
    case ErrorKind::InputOutput:
    case ErrorKind::DiskFull:
        return true;
    default:
        return error.code() == SQLITE_PROTOCOL;
    }
}

int pragmaNumber(const Database &db, const char *sql)
{
    Statement query(db, sql);
    return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

// What the file holds, read from its header and schema before anything is written.
enum class Kind { New, Ours, OursToCarryForward, Newer, Foreign };

Kind kindOf(const Database &db)
{
    const int id = pragmaNumber(db, "PRAGMA application_id");
    const int version = pragmaNumber(db, "PRAGMA user_version");
    if (id == applicationId)
        return version > schemaVersion ? Kind::Newer : version == schemaVersion ? Kind::Ours : Kind::OursToCarryForward;
    if (id != 0)
        return Kind::Foreign;
    if (version == 0 && pragmaNumber(db, "SELECT count(*) FROM sqlite_schema") == 0)
        return Kind::New;
    // The first version wrote no application id; its tables tell it.
    const bool firstVersion = version == 1
        && pragmaNumber(db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN "
                            "('flight', 'calculation')") == 2;
    return firstVersion ? Kind::OursToCarryForward : Kind::Foreign;
}

// The header and the schema read in one snapshot: another program creating
// the file meanwhile is seen before or after, never half way.
Kind kindInOneRead(const Database &db)
{
    ReadTransaction snapshot(db);
    const Kind kind = kindOf(db);
    snapshot.commit();
    return kind;
}

// Brings the file up to schemaVersion in one transaction, marking it as this
// program's. Returns false when another program did it first.
bool carryForward(const Database &db)
{
    WriteTransaction transaction(db);
    const int version = kindOf(db) == Kind::New ? 0 : pragmaNumber(db, "PRAGMA user_version");
    if (version >= schemaVersion)
        return false;
    for (int step = version; step < schemaVersion; ++step)
        migrations[step](db);
    // A pragma takes no parameters; the numbers are the program's own constants.
    execute(db, ("PRAGMA application_id = " + std::to_string(applicationId)).c_str());
    execute(db, ("PRAGMA user_version = " + std::to_string(schemaVersion)).c_str());
    transaction.commit();
    return true;
}

// Two programs creating the same file at once: switching to write-ahead
// logging answers "locked" at once, without the busy timeout, to the one
// that comes second; it tries again shortly.
void switchToWriteAheadLog(const Database &db, const std::string &path)
{
    for (int attempt = 0;; ++attempt) {
        try {
            Statement query(db, "PRAGMA journal_mode=WAL");
            const std::string mode = query.step() ? query.text(0) : std::string();
            if (mode != "wal")
            {
                throw JournalProblem(JournalAttempt::Keep, path, ProblemKind::Failed,
                                     "the file cannot take SQLite's write-ahead log (it answers '" + mode + "')");
            }
            return;
        } catch (const DatabaseError &error) {
            if (error.kind() != ErrorKind::Busy || attempt == 20)
                throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(10 * (attempt + 1)));
        }
    }
}

// The journal left as it is, whatever was attempted.
JournalProblem refusal(JournalAttempt attempt, const std::string &path, Kind kind)
{
    return JournalProblem(attempt, path, kind == Kind::Newer ? ProblemKind::LaterVersion : ProblemKind::Foreign);
}

Database openForRecording(const std::string &path, JournalNotice &notice)
{
    Database db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, recordingBusyTimeoutMs);
    const Kind kind = kindInOneRead(db);
    if (kind == Kind::Newer || kind == Kind::Foreign)
        throw refusal(JournalAttempt::Keep, path, kind);
    if (db.readOnly())
        throw DatabaseError(SQLITE_READONLY, "the file is read-only");
    switchToWriteAheadLog(db, path);
    // FULL: in write-ahead mode each commit is then synced to the disk, so a
    // calculation survives a power cut as well as a killed program. NORMAL
    // would survive only the killed program.
    execute(db, "PRAGMA synchronous=FULL");
    if (kind != Kind::Ours && carryForward(db)) {
        if (kind == Kind::OursToCarryForward)
            notice = {JournalEvent::CarriedForward, path};
        // The new file holds its tables itself, not only in its log: a copy
        // of it alone is a journal.
        checkpoint(db);
    }
    return db;
}

Database openForReading(const std::string &path, JournalNotice &notice)
{
    Database connection = openReadingConnection(path);
    const Kind kind = kindInOneRead(connection);
    if (kind == Kind::Newer || kind == Kind::Foreign)
        throw refusal(JournalAttempt::Read, path, kind);
    if (kind == Kind::New)
        throw JournalProblem(JournalAttempt::Read, path, ProblemKind::NothingYet);
    if (kind == Kind::OursToCarryForward) {
        // The older layout reads as it is when the file cannot be written.
        try {
            Database writer(path, SQLITE_OPEN_READWRITE, readingBusyTimeoutMs);
            if (!writer.readOnly() && carryForward(writer)) {
                notice = {JournalEvent::CarriedForward, path};
                writer.close();
                // A connection opened as the file lay would not see the change.
                connection.close();
                connection = openReadingConnection(path);
            }
        } catch (const DatabaseError &) {
        }
    }
    return connection;
}

} // namespace

void addFlightTimes(const Database &db)
{
    // The moment of a flight's first calculation, in seconds since 1970 in
    // UTC: a flight's id is the order it came into this journal, and a merge
    // adds another table's flights after this one's whenever they were flown.
    execute(db, ("ALTER TABLE flight ADD COLUMN flown_at INTEGER NOT NULL DEFAULT 0;"
                 "UPDATE flight SET flown_at = coalesce((SELECT " + momentSql("c.recorded_at")
                 + " FROM calculation c WHERE c.flight = flight.id ORDER BY c.id LIMIT 1), 0);"
                   "CREATE INDEX flight_by_time ON flight(contest, flown_at, id);")
                    .c_str());
}

Database openJournal(const std::string &path, Access access, JournalNotice &notice)
{
    const bool reading = access == Access::Read;
    const JournalAttempt attempt = reading ? JournalAttempt::Read : JournalAttempt::Keep;
    try {
        if (const std::string unfit = unfitJournalName(path); !unfit.empty())
            throw JournalProblem(attempt, path, ProblemKind::Failed, unfit);
        if (reading && !fs::exists(path))
            throw JournalProblem(attempt, path, ProblemKind::NoJournal);
        sqlite(); // loaded at the first opening, before anything is created
        if (reading)
            return openForReading(path, notice);

        const fs::path folder = fs::path(path).parent_path();
        if (!folder.empty())
            fs::create_directories(folder);
        // A log without its journal holds flights recorded while the journal
        // was moved away or copied without it; SQLite would delete it on
        // creating the journal afresh.
        // An empty log holds nothing.
        if (!fs::exists(path) && identityOf(path + "-wal").size > 0) {
            const std::string kept = moveAside(path + "-wal", ".without-journal-");
            notice = {JournalEvent::LogWithoutJournal, path, kept};
        }
        if (access == Access::Record) {
            try {
                return openForRecording(path, notice);
            } catch (const DatabaseError &error) {
                if (!isDamage(error))
                    throw;
            }
        }
        try {
            const std::string kept = moveAside(path, ".damaged-");
            notice = {JournalEvent::DamagedMovedAside, path, kept};
        } catch (const fs::filesystem_error &) {
            // Another program may have moved it aside first.
            if (fs::exists(path))
                throw;
        }
        return openForRecording(path, notice);
    } catch (const JournalProblem &) {
        throw;
    } catch (const DatabaseError &error) {
        throw JournalProblem(attempt, path, ProblemKind::Failed, error.what(), isPassing(error), error.extendedCode());
    } catch (const fs::filesystem_error &error) {
        throw JournalProblem(attempt, path, ProblemKind::Failed, error.code().message());
    } catch (const SqliteMissing &missing) {
        throw JournalProblem(attempt, path, ProblemKind::Failed, missing.what());
    }
}

namespace {

// For the logs: what was attempted on which file, and what stood in the way.
std::string logLine(JournalAttempt attempt, const std::string &path, ProblemKind kind, const std::string &cause)
{
    static constexpr const char *attempts[] = {"reading", "keeping", "changing", "backing up to", "merging"};
    static constexpr const char *kinds[] = {"failed",           "no journal",           "nothing yet", "foreign",
                                            "a later version's", "onto the journal itself", "log not copied",
                                            "damaged"};
    return std::string(attempts[static_cast<int>(attempt)]) + " " + path + ": "
        + (cause.empty() ? kinds[static_cast<int>(kind)] : cause);
}

} // namespace

JournalProblem::JournalProblem(JournalAttempt attempt, std::string path, ProblemKind kind, std::string cause,
                               bool passing, int code)
    : std::runtime_error(logLine(attempt, path, kind, cause)), m_attempt(attempt), m_path(std::move(path)),
      m_kind(kind), m_cause(std::move(cause)), m_passing(passing), m_code(code)
{
}

JournalProblem::JournalProblem(JournalAttempt attempt, std::string path, const JournalProblem &within)
    : JournalProblem(attempt, std::move(path), ProblemKind::Failed, within.what(), within.passing(), within.code())
{
    m_within = std::make_shared<const JournalProblem>(within);
}

bool isDamage(const DatabaseError &error)
{
    return error.kind() == ErrorKind::Corrupt;
}

} // namespace orlo::journal
