#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

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
// log or its index: the same file by device and inode, whatever its name,
// or for a log or index not there now, the same path.
bool isJournalFile(const std::string &file, const std::string &journalPath);

// The file at a name, by stat() alone: opening and closing a journal's file
// outside SQLite would drop the locks this program holds on it.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool sameFile(const FileIdentity &other) const
    {
        return exists == other.exists && device == other.device && inode == other.inode;
    }
    bool unchanged(const FileIdentity &other) const
    {
        return sameFile(other) && size == other.size && modified.tv_sec == other.modified.tv_sec
            && modified.tv_nsec == other.modified.tv_nsec;
    }
};
FileIdentity identityOf(const std::string &path);

// The journal, its write-ahead log (-wal) and the log's index (-shm).
struct JournalFiles {
    FileIdentity journal;
    FileIdentity log;
    FileIdentity index;
};
JournalFiles journalFilesAt(const std::string &path);

// Whether a connection (a reader, or the entry list's writer) opened when
// the files were as opened still reads the journal now: opened without the
// log's index beside it, it reads the journal as it lay; opened with it, as
// the programs recording into it write. Another file at the journal's name,
// its log's or its index's, or a change of the file read as it lay, needs a
// new connection.
bool stillReadable(const JournalFiles &opened, const JournalFiles &now);

// Whether this process holds a lock on the file, as the kernel lists it in
// /proc/locks; true when that cannot be told.
bool holdsLock(const FileIdentity &file);

// The name this process has the file open under now, from /proc/self/fd;
// empty when it has none or the file was removed.
std::string openedName(const FileIdentity &file);

// A folder of this program's own under the system's temporary folder,
// removed with everything in it when the object goes.
class PrivateFolder {
public:
    PrivateFolder(); // throws std::filesystem::filesystem_error
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder &) = delete;
    PrivateFolder &operator=(const PrivateFolder &) = delete;
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};
// Writes a file the official asked for through write, which is given a name
// beside path to write to; that file is synced, takes path's place and the
// folder is synced, so that once this returns path holds the whole file even
// across a power cut, and before it returns path holds what it held before.
// Parts a killed write of path left beside it are removed first.
// Throws std::runtime_error saying why nothing was written.
void writeAside(const std::string &path, const std::function<void(const std::string &part)> &write);
// The bytes as the file at path, written aside.
void writeFileAside(const std::string &path, std::string_view bytes);

} // namespace orlo::journal
