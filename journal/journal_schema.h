#pragma once

#include <ctime>
#include <stdexcept>
#include <string>

struct sqlite3;

namespace orlo::journal {

// The layout this program writes; PRAGMA user_version in the file.
inline constexpr int schemaVersion = 1;

// Why a journal cannot be kept, as a sentence for the official.
class JournalProblem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens the journal file at path, ready to record: its folder and the file
// created at first use, write-ahead logging, a busy timeout, and the schema
// brought up to schemaVersion. A file that is not a database is moved aside
// and a fresh journal started; notice then says where it went. A file written
// by a later version is refused and left untouched. Throws JournalProblem.
sqlite3 *openJournal(const std::string &path, std::string &notice);

// Local time by strftime's format; "%z" comes out as "+01:00".
std::string localTimeText(std::time_t when, const char *format);

} // namespace orlo::journal
