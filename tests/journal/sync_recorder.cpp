// Preloaded into the program: records every sync of a file or folder and
// every rename, by device and inode, in the file named by ORLO_SYNC_LOG, so a
// test can tell what a power cut after each point would have kept.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void record(const char *line)
{
    static const int log = [] {
        const char *path = std::getenv("ORLO_SYNC_LOG");
        return path ? ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600) : -1;
    }();
    if (log >= 0)
        (void)!::write(log, line, std::strlen(line));
}

void recordSynced(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return;
    char line[160];
    if (S_ISDIR(status.st_mode))
        std::snprintf(line, sizeof line, "folder %ju %ju\n", std::uintmax_t(status.st_dev), std::uintmax_t(status.st_ino));
    else
        std::snprintf(line, sizeof line, "file %ju %ju %jd %jd.%09ld\n", std::uintmax_t(status.st_dev),
                      std::uintmax_t(status.st_ino), std::intmax_t(status.st_size), std::intmax_t(status.st_mtim.tv_sec),
                      status.st_mtim.tv_nsec);
    record(line);
}

// The file now at path and the folder holding it.
void recordRenamed(int folderFd, const char *path)
{
    struct stat file {};
    struct stat folder {};
    std::string parent = path;
    const std::size_t slash = parent.rfind('/');
    parent = slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : parent.substr(0, slash);
    if (::fstatat(folderFd, path, &file, 0) != 0 || ::fstatat(folderFd, parent.c_str(), &folder, 0) != 0)
        return;
    char line[160];
    std::snprintf(line, sizeof line, "rename %ju %ju %ju %ju\n", std::uintmax_t(file.st_dev),
                  std::uintmax_t(file.st_ino), std::uintmax_t(folder.st_dev), std::uintmax_t(folder.st_ino));
    record(line);
}

template <typename Function>
Function *next(const char *name)
{
    return reinterpret_cast<Function *>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int fsync(int fd)
{
    static auto *real = next<int(int)>("fsync");
    const int result = real(fd);
    if (result == 0)
        recordSynced(fd);
    return result;
}

int fdatasync(int fd)
{
    static auto *real = next<int(int)>("fdatasync");
    const int result = real(fd);
    if (result == 0)
        recordSynced(fd);
    return result;
}

int rename(const char *from, const char *to)
{
    static auto *real = next<int(const char *, const char *)>("rename");
    const int result = real(from, to);
    if (result == 0)
        recordRenamed(AT_FDCWD, to);
    return result;
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    static auto *real = next<int(int, const char *, int, const char *)>("renameat");
    const int result = real(fromFolder, from, toFolder, to);
    if (result == 0)
        recordRenamed(toFolder, to);
    return result;
}

int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned flags)
{
    static auto *real = next<int(int, const char *, int, const char *, unsigned)>("renameat2");
    const int result = real(fromFolder, from, toFolder, to, flags);
    if (result == 0)
        recordRenamed(toFolder, to);
    return result;
}

} // extern "C"
