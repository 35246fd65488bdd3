#pragma once

#include <string>

namespace orlo::journal {

// Why path cannot name a journal file: ":memory:", a URI, a device or a
// folder; empty when it can. SQLite would keep nothing in the first, take
// the second for options, and write into the others.
std::string unfitJournalName(const std::string &path);

// Moves a file, with the log and index that belong to it, to path + kind +
// the date and time, under a name no file has yet: nothing is overwritten.
// Returns the new name. Throws std::filesystem::filesystem_error.
std::string moveAside(const std::string &path, const std::string &kind);

// Whether writing to file would write onto the journal at journalPath, its
// log or its index: the same file by device and inode, whatever its name.
bool isJournalFile(const std::string &file, const std::string &journalPath);

} // namespace orlo::journal
