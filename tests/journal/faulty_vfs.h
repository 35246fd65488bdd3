#pragma once

// A shim over SQLite's default file system, as SQLite's own tests use: while
// it is installed every journal file goes through it, and it fails the Nth
// read, write or sync, or answers the Nth lock with "busy", once; or, as a
// full disk, answers the Nth write and every later one with "full", and
// fails to grow the log's index.
namespace faulty_vfs {

// Busy: another program writing in short turns, as each taking of the log's
// write lock from the Nth on is answered "busy" once and granted when asked again.
enum class Operation { Read, Write, Sync, Lock, Full, Busy };

// Made the default file system until the object goes.
class Installed {
public:
    Installed();
    ~Installed();
    Installed(const Installed &) = delete;
    Installed &operator=(const Installed &) = delete;
};

// Counts the operations of that kind from now on, and fails the Nth; 0 fails none.
void arm(Operation operation, int failing);
void disarm();
int counted();   // operations of the armed kind since arm
bool fired();    // whether the failure was answered

} // namespace faulty_vfs
