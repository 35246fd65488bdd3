#include "journal_files.h"

#include "journal_schema.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
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
    }
    return false;
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

} // namespace

void writeAside(const std::string &path, const std::function<void(const std::string &part)> &write)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        throw std::runtime_error("that is a folder");
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
