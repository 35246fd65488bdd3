#pragma once

#include "database.h"
#include "journal_notice.h"

#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace orlo::journal {

// The layout this program writes; PRAGMA user_version in the file.
inline constexpr int schemaVersion = 10;
// PRAGMA application_id of every journal of this program: "Orlo" in ASCII.
inline constexpr int applicationId = 0x4f726c6f;

// What was being done with the journal when a problem stood in the way.
enum class JournalAttempt {
    Read,   // a window or the command line reading
    Keep,   // recording opening the file
    Change, // a director's change
    BackUp, // copying the whole journal
    Merge,  // bringing another scoring table's journal in; the path is the other's
};

// What stood in the way.
enum class ProblemKind {
    Failed,           // SQLite, the system or the name refused: cause holds their words
    NoJournal,        // nothing at the path
    NothingYet,       // a file never written, or copied without its log
    Foreign,          // another program's database, left as it is
    LaterVersion,     // written by a later version of this program, left as it is
    OntoItself,       // a backup's copy would be the journal itself
    LogCopyFailed,    // the log, read from a private copy, could not be copied: cause
    Damaged,          // SQLite found the file damaged: cause holds its first finding, empty for no header
};

// Why the journal cannot be kept, read, changed or backed up, as facts: the
// program above words them for the official; what() is for the logs.
// A passing one (a lock held by another program, a failed write) may be gone
// at the next try; a lasting one (a file that is not a journal, a folder that
// cannot be made) stays until the official acts.
class JournalProblem : public std::runtime_error {
public:
    // path is the journal's, or for a backup the copy's.
    JournalProblem(JournalAttempt attempt, std::string path, ProblemKind kind, std::string cause = {},
                   bool passing = false, int code = 0);
    // A backup that failed on reading its own copy carries that problem.
    JournalProblem(JournalAttempt attempt, std::string path, const JournalProblem &within);

    JournalAttempt attempt() const noexcept { return m_attempt; }
    const std::string &path() const noexcept { return m_path; }
    ProblemKind problemKind() const noexcept { return m_kind; }
    bool passing() const noexcept { return m_passing; }
    // SQLite's result code behind the problem, extended where SQLite told it;
    // 0 when the problem is not SQLite's.
    int code() const noexcept { return m_code; }
    ErrorKind kind() const noexcept { return errorKind(m_code); }
    // SQLite's or the system's own words for what failed; empty when the
    // kind is the whole story (a file of another program, say).
    const std::string &cause() const noexcept { return m_cause; }
    // The problem met on the way; null when none.
    const JournalProblem *within() const noexcept { return m_within.get(); }
    // The journal was refused as it is, whatever was attempted.
    bool refused() const noexcept { return m_kind == ProblemKind::Foreign || m_kind == ProblemKind::LaterVersion; }

private:
    JournalAttempt m_attempt;
    std::string m_path;
    ProblemKind m_kind;
    std::string m_cause;
    bool m_passing;
    int m_code;
    std::shared_ptr<const JournalProblem> m_within;
};

enum class Access {
    // Ready to record: the folder and the file created at first use,
    // write-ahead logging, the schema brought up to schemaVersion. A damaged
    // file, or a log found without its journal, is moved aside; notice then
    // says where it went.
    Record,
    // For reading only: nothing is created, moved or switched, and a journal
    // the official may read but not write is read. The one write is carrying
    // an older journal of this program forward where the file can be
    // written; notice then says so.
    Read,
    // Recording, after the open journal turned out damaged in use: the file
    // is moved aside first and a fresh journal started.
    RecordAfresh,
};

// Opens the journal file at path. Only this program's journals are opened:
// another program's database, a file written by a later version, a device,
// ":memory:" and URI names are refused and left untouched. Throws
// JournalProblem.
Database openJournal(const std::string &path, Access access, JournalNotice &notice);

// SQLite found the file is no database, or a damaged one.
bool isDamage(const DatabaseError &error);

} // namespace orlo::journal
