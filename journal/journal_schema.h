#pragma once

#include "database.h"
#include "journal_notice.h"

#include <ctime>
#include <stdexcept>
#include <string>
#include <utility>

namespace orlo::journal {

// The layout this program writes; PRAGMA user_version in the file.
inline constexpr int schemaVersion = 6;
// PRAGMA application_id of every journal of this program: "Orlo" in ASCII.
inline constexpr int applicationId = 0x4f726c6f;

// Why a journal cannot be kept or read: for reading, a sentence for the
// official; for recording, what() is for the logs and cause() is worded above.
// A passing one (a lock held by another program, a failed write) may be gone
// at the next try; a lasting one (a file that is not a journal, a folder that
// cannot be made) stays until the official acts.
class JournalProblem : public std::runtime_error {
public:
    explicit JournalProblem(const std::string &sentence, bool passing = false, int code = 0, std::string cause = {})
        : std::runtime_error(sentence), m_passing(passing), m_code(code), m_cause(std::move(cause))
    {
    }
    bool passing() const noexcept { return m_passing; }
    // SQLite's result code behind the problem, extended where SQLite told it,
    // and its words; 0 and
    // empty when the problem is not SQLite's.
    int code() const noexcept { return m_code; }
    ErrorKind kind() const noexcept { return errorKind(m_code); }
    // What failed, without the caller's words around it; empty when the
    // sentence is the whole story (a file of another program, say).
    const std::string &cause() const noexcept { return m_cause; }

private:
    bool m_passing;
    int m_code;
    std::string m_cause;
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

// Writes what the log holds into the journal file itself and empties the
// log, so that a copy of the file alone is whole; skipped while another
// program reads. Throws DatabaseError on a failure other than that.
void checkpoint(const Database &db);

// SQLite found the file is no database, or a damaged one.
bool isDamage(const DatabaseError &error);

// Local time by strftime's format; "%z" comes out as "+01:00".
std::string localTimeText(std::time_t when, const char *format);

} // namespace orlo::journal
