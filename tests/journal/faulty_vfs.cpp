#include "faulty_vfs.h"

#include <sqlite3.h>

#include <cstring>
#include <string>
#include <sys/stat.h>

namespace faulty_vfs {

namespace {

struct Plan {
    Operation operation = Operation::Read;
    int failing = 0;
    int count = 0;
    bool fired = false;
    bool refused = false; // the last taking of the write lock was answered "busy"
};
Plan plan;
sqlite3_vfs *real = nullptr;
sqlite3_vfs shim;

// The shim's file, with the real file's state right after it.
struct File {
    sqlite3_file base;
    const char *name; // SQLite keeps the name while the file is open

    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

File *fileOf(sqlite3_file *file)
{
    return reinterpret_cast<File *>(file);
}

bool failsNow(Operation operation)
{
    if (plan.failing == 0 || plan.operation != operation)
        return false;
    if (++plan.count != plan.failing)
        return false;
    plan.fired = true;
    return true;
}

#define ORLO_FORWARD(name, ...) fileOf(file)->real()->pMethods->name(fileOf(file)->real(), ##__VA_ARGS__)

int close(sqlite3_file *file) { return ORLO_FORWARD(xClose); }
int read(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    return failsNow(Operation::Read) ? SQLITE_IOERR_READ : ORLO_FORWARD(xRead, buffer, amount, offset);
}
int write(sqlite3_file *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    if (plan.failing != 0 && plan.operation == Operation::Full && ++plan.count >= plan.failing) {
        plan.fired = true;
        return SQLITE_FULL;
    }
    return failsNow(Operation::Write) ? SQLITE_IOERR_WRITE : ORLO_FORWARD(xWrite, buffer, amount, offset);
}
int truncate(sqlite3_file *file, sqlite3_int64 size) { return ORLO_FORWARD(xTruncate, size); }
int sync(sqlite3_file *file, int flags)
{
    return failsNow(Operation::Sync) ? SQLITE_IOERR_FSYNC : ORLO_FORWARD(xSync, flags);
}
int fileSize(sqlite3_file *file, sqlite3_int64 *size) { return ORLO_FORWARD(xFileSize, size); }
int lock(sqlite3_file *file, int level)
{
    return failsNow(Operation::Lock) ? SQLITE_BUSY : ORLO_FORWARD(xLock, level);
}
int unlock(sqlite3_file *file, int level) { return ORLO_FORWARD(xUnlock, level); }
int checkReservedLock(sqlite3_file *file, int *out) { return ORLO_FORWARD(xCheckReservedLock, out); }
int fileControl(sqlite3_file *file, int op, void *argument) { return ORLO_FORWARD(xFileControl, op, argument); }
int sectorSize(sqlite3_file *file) { return ORLO_FORWARD(xSectorSize); }
int deviceCharacteristics(sqlite3_file *file) { return ORLO_FORWARD(xDeviceCharacteristics); }
int shmMap(sqlite3_file *file, int region, int size, int extend, void volatile **mapped)
{
    // A full disk cannot grow the log's index, as SQLite grows it by writing.
    struct stat index {};
    const std::string indexName = std::string(fileOf(file)->name ? fileOf(file)->name : "") + "-shm";
    const bool grows = ::stat(indexName.c_str(), &index) != 0 || index.st_size < off_t(region + 1) * size;
    if (extend && grows && plan.failing != 0 && plan.operation == Operation::Full && ++plan.count >= plan.failing) {
        plan.fired = true;
        return SQLITE_IOERR_SHMSIZE;
    }
    return ORLO_FORWARD(xShmMap, region, size, extend, mapped);
}
int shmLock(sqlite3_file *file, int offset, int n, int flags)
{
    // The log's write lock is the index's first lock.
    const bool writeLock = offset == 0 && flags == (SQLITE_SHM_LOCK | SQLITE_SHM_EXCLUSIVE);
    if (writeLock && plan.failing != 0 && plan.operation == Operation::Busy && ++plan.count >= plan.failing) {
        plan.refused = !plan.refused;
        if (plan.refused) {
            plan.fired = true;
            return SQLITE_BUSY;
        }
    }
    return ORLO_FORWARD(xShmLock, offset, n, flags);
}
void shmBarrier(sqlite3_file *file) { ORLO_FORWARD(xShmBarrier); }
int shmUnmap(sqlite3_file *file, int deleting) { return ORLO_FORWARD(xShmUnmap, deleting); }
int fetch(sqlite3_file *file, sqlite3_int64 offset, int amount, void **page)
{
    return ORLO_FORWARD(xFetch, offset, amount, page);
}
int unfetch(sqlite3_file *file, sqlite3_int64 offset, void *page) { return ORLO_FORWARD(xUnfetch, offset, page); }

#undef ORLO_FORWARD

const sqlite3_io_methods methods = {3,        close,      read,     write,       truncate,  sync,
                                    fileSize, lock,       unlock,   checkReservedLock, fileControl, sectorSize,
                                    deviceCharacteristics, shmMap, shmLock, shmBarrier, shmUnmap, fetch, unfetch};

int open(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    File *shimFile = fileOf(file);
    std::memset(shimFile->real(), 0, static_cast<std::size_t>(real->szOsFile));
    shimFile->name = name;
    const int code = real->xOpen(real, name, shimFile->real(), flags, outFlags);
    // SQLite calls xClose only on a file whose methods are set.
    file->pMethods = shimFile->real()->pMethods ? &methods : nullptr;
    return code;
}

} // namespace

Installed::Installed()
{
    real = sqlite3_vfs_find(nullptr);
    shim = *real;
    shim.pNext = nullptr;
    shim.zName = "faulty";
    shim.szOsFile = static_cast<int>(sizeof(File)) + real->szOsFile;
    shim.xOpen = open;
    sqlite3_vfs_register(&shim, 1);
}

Installed::~Installed()
{
    sqlite3_vfs_unregister(&shim);
    sqlite3_vfs_register(real, 1);
}

void arm(Operation operation, int failing)
{
    plan = Plan{operation, failing, 0, false};
}

void disarm()
{
    plan.failing = 0;
}

int counted()
{
    return plan.count;
}

bool fired()
{
    return plan.fired;
}

} // namespace faulty_vfs
