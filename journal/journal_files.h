#pragma once

#include <functional>
#include <string>
#include <string_view>

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

// Writes a file the official asked for through write, which is given a name
// beside path to write to; that file is synced, takes path's place and the
// folder is synced, so that once this returns path holds the whole file even
// across a power cut, and before it returns path holds what it held before.
// Throws std::runtime_error saying why nothing was written.
void writeAside(const std::string &path, const std::function<void(const std::string &part)> &write);
// The bytes as the file at path, written aside.
void writeFileAside(const std::string &path, std::string_view bytes);

} // namespace orlo::journal
