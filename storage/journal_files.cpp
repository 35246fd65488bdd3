#include "journal_files.h"

#include "local_time.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <system_error>
#include <unistd.h>

namespace orlo::journal {

namespace fs = std::filesystem;

std::string unfitJournalName(const std::string &path)
{
    if (path.empty() || path == ":memory:")
        return "a name for a file is needed, and SQLite would keep '" + path + "' in memory only";
    if (path.starts_with("file:"))
        return "a name starting with 'file:' is taken by SQLite for a URI with options; name the file "
               "./" + path + " or by its full path";
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return fs::is_directory(status) ? "it is a folder" : "it is not a plain file but a device or a pipe";
    return {};
}

std::string moveAside(const std::string &path, const std::string &kind)
{
    const std::string stem = path + kind + localTimeText(std::time(nullptr), "%Y-%m-%dT%H%M%S");
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

bool isJournalFile(const std::string &file, const std::string &journalPath)
{
    for (const char *companion : {"", "-wal", "-shm"}) {
        std::error_code error; // a file that does not exist is no other
        if (fs::equivalent(file, journalPath + companion, error))
            return true;
        // A log or index not there now: SQLite would take a file written
        // under its name for one at the journal's next opening, and empty it.
        const fs::path named = fs::weakly_canonical(file, error);
        if (!error && !named.empty() && named == fs::weakly_canonical(journalPath + companion, error) && !error)
            return true;
    }
    return false;
}


FileIdentity identityOf(const std::string &path)
{
    struct stat status {};
    FileIdentity identity;
    if (::stat(path.c_str(), &status) != 0)
        return identity;
    identity.exists = true;
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    identity.size = status.st_size;
    identity.modified = status.st_mtim;
    return identity;
}

JournalFiles journalFilesAt(const std::string &path)
{
    return {identityOf(path), identityOf(path + "-wal"), identityOf(path + "-shm")};
}

bool stillReadable(const JournalFiles &opened, const JournalFiles &now)
{
    if (!now.journal.sameFile(opened.journal) || now.index.exists != opened.index.exists)
        return false;
    if (!opened.index.exists)
        return now.journal.unchanged(opened.journal) && now.log.unchanged(opened.log);
    return now.log.sameFile(opened.log) && now.index.sameFile(opened.index);
}

bool holdsLock(const FileIdentity &file)
{
    std::ifstream locks("/proc/locks");
    if (!locks || !file.exists)
        return true;
    char device[64];
    std::snprintf(device, sizeof device, "%02x:%02x:%llu", major(file.device), minor(file.device),
                  static_cast<unsigned long long>(file.inode));
    // "1: POSIX  ADVISORY  READ 4242 fe:01:1234 1073741826 1073742335"
    const std::string owned = " " + std::to_string(getpid()) + " " + device + " ";
    for (std::string line; std::getline(locks, line);)
        if (line.find(owned) != std::string::npos)
            return true;
    return false;
}

std::string openedName(const FileIdentity &file)
{
    std::error_code error;
    for (const fs::directory_entry &descriptor : fs::directory_iterator("/proc/self/fd", error)) {
        // stat() follows the descriptor's link to the file without opening it.
        const FileIdentity opened = identityOf(descriptor.path().string());
        if (!opened.sameFile(file))
            continue;
        const std::string name = fs::read_symlink(descriptor.path(), error).string();
        if (!error && !name.ends_with(" (deleted)") && identityOf(name).sameFile(file))
            return name;
    }
    return {};
}

PrivateFolder::PrivateFolder()
{
    std::string pattern = (fs::temp_directory_path() / "orlo-score-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw fs::filesystem_error("cannot make a private folder", pattern,
                                   std::error_code(errno, std::generic_category()));
    m_path = pattern;
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

namespace {

[[noreturn]] void failed()
{
    throw std::runtime_error(std::strerror(errno));
}

// Syncs what is written to the file or folder at path. Never given the
// journal's own files: closing this descriptor would drop the process's locks on them.
void sync(const std::string &path, bool folder)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    // A folder one may write but not list cannot be opened to sync; the file is in it all the same.
    if (fd < 0 && folder && (errno == EACCES || errno == EPERM))
        return;
    if (fd < 0)
        failed();
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder and say so; their renames are kept as they come.
    if (synced != 0 && !(folder && (error == EINVAL || error == ENOTSUP))) {
        errno = error;
        failed();
    }
}

// The file a name stands for: through symbolic links, the file they name.
// Renamed onto a link, a file would take the link's place and leave the file
// the director meant as it was.
std::string throughLinks(const std::string &name)
{
    fs::path named = name;
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(named, error)); ++hops) {
        const fs::path target = fs::read_symlink(named, error);
        if (error)
            break;
        named = target.is_relative() ? named.parent_path() / target : target;
    }
    return named.string();
}

// The parts that writes beside path left when their program was killed:
// named as writeAside names them (path, ".part-" and the writer's process
// id, with SQLite's -journal, -wal or -shm of a backup), of a process that
// is gone. A live writer's part, and any other file, stays.
void removeStaleParts(const std::string &path)
{
    const fs::path target(path);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string prefix = target.filename().string() + ".part-";
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix))
            continue;
        const std::string rest = name.substr(prefix.size());
        const std::size_t digits = std::min(rest.find_first_not_of("0123456789"), rest.size());
        const std::string companion = rest.substr(digits);
        if (digits == 0 || digits > 9
            || !(companion.empty() || companion == "-journal" || companion == "-wal" || companion == "-shm"))
            continue;
        const pid_t writer = static_cast<pid_t>(std::stol(rest.substr(0, digits)));
        std::error_code kind;
        if (writer == getpid() || ::kill(writer, 0) == 0 || errno != ESRCH
            || !fs::is_regular_file(entry.symlink_status(kind)))
            continue;
        fs::remove(entry.path(), kind);
    }
}

} // namespace

void writeAside(const std::string &asked, const std::function<void(const std::string &part)> &write)
{
    const std::string path = throughLinks(asked);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status))
        throw std::runtime_error("that is a folder");
    // Renamed into place, the file would take the place of the device or
    // pipe itself: /dev/null made a plain file for every program.
    if (fs::exists(status) && !fs::is_regular_file(status))
        throw std::runtime_error("that is not a plain file but a device or a pipe");
    removeStaleParts(path);
    const std::string part = path + ".part-" + std::to_string(getpid());
    try {
        write(part);
        sync(part, false);
        fs::rename(part, path);
    } catch (const fs::filesystem_error &failure) {
        fs::remove(part, error);
        throw std::runtime_error(failure.code().message());
    } catch (...) {
        fs::remove(part, error);
        throw;
    }
    const fs::path folder = fs::path(path).parent_path();
    sync(folder.empty() ? std::string(".") : folder.string(), true);
}

void writeFileAside(const std::string &path, std::string_view bytes)
{
    writeAside(path, [bytes](const std::string &part) {
        const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0)
            failed();
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote < 0) {
                const int error = errno;
                ::close(fd);
                errno = error;
                failed();
            }
            done += static_cast<std::size_t>(wrote);
        }
        if (::close(fd) != 0)
            failed();
    });
}

} // namespace orlo::journal
