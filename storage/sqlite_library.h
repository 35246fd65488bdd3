#pragma once

#include <sqlite3.h>

#include <stdexcept>

namespace orlo::journal {

// The SQLite functions the journal calls, named as SQLite names them without
// the sqlite3_ prefix. The library is loaded when the journal is first used,
// not linked: binding its symbols as the program loads would hold up the
// sheet's first frame, and the journal is opened only after it.
struct SqliteLibrary {
    decltype(&sqlite3_open_v2) open_v2;
    decltype(&sqlite3_close_v2) close_v2;
    decltype(&sqlite3_busy_timeout) busy_timeout;
    decltype(&sqlite3_db_readonly) db_readonly;
    decltype(&sqlite3_errmsg) errmsg;
    decltype(&sqlite3_errstr) errstr;
    decltype(&sqlite3_exec) exec;
    decltype(&sqlite3_prepare_v2) prepare_v2;
    decltype(&sqlite3_finalize) finalize;
    decltype(&sqlite3_bind_text64) bind_text64;
    decltype(&sqlite3_bind_int64) bind_int64;
    decltype(&sqlite3_step) step;
    decltype(&sqlite3_reset) reset;
    decltype(&sqlite3_column_text) column_text;
    decltype(&sqlite3_column_bytes) column_bytes;
    decltype(&sqlite3_column_int64) column_int64;
    decltype(&sqlite3_changes) changes;
    decltype(&sqlite3_last_insert_rowid) last_insert_rowid;
    decltype(&sqlite3_extended_errcode) extended_errcode;
    decltype(&sqlite3_wal_checkpoint_v2) wal_checkpoint_v2;
    decltype(&sqlite3_backup_init) backup_init;
    decltype(&sqlite3_backup_step) backup_step;
    decltype(&sqlite3_backup_finish) backup_finish;
    decltype(&sqlite3_file_control) file_control;
    decltype(&sqlite3_db_config) db_config;
    decltype(&sqlite3_stmt_readonly) stmt_readonly;
    decltype(&sqlite3_vfs_find) vfs_find;
};

// The library or one of its functions could not be found; what() says why,
// in the dynamic loader's words.
class SqliteMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads the library at the first call, once for the program and from any
// thread. Throws SqliteMissing, at every call, when it could not be loaded.
const SqliteLibrary &sqlite();

} // namespace orlo::journal
