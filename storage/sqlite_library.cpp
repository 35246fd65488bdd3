#include "sqlite_library.h"

#include <dlfcn.h>

#include <string>

namespace orlo::journal {

namespace {

struct Loaded {
    SqliteLibrary functions{};
    std::string missing; // why it could not be loaded; empty when it was
};

std::string loaderError(const std::string &otherwise)
{
    const char *error = dlerror();
    return error ? error : otherwise;
}

template <typename Function>
bool find(void *library, const char *name, Function &function, std::string &missing)
{
    dlerror(); // a null answer is an error only when dlerror then says so
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        missing = loaderError(std::string(name) + " is missing from libsqlite3.so.0");
    return function != nullptr;
}

Loaded load()
{
    Loaded loaded;
    // RTLD_LOCAL keeps SQLite's symbols out of the program's namespace; the
    // journal reaches them through the pointers alone.
    void *library = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        loaded.missing = loaderError("libsqlite3.so.0 could not be loaded");
        return loaded;
    }
    SqliteLibrary &f = loaded.functions;
    std::string &missing = loaded.missing;
    // The name is spelled once, so that no pointer can be given another
    // function of the same type (step and finalize, say).
#define ORLO_FIND(name) find(library, "sqlite3_" #name, f.name, missing)
    const bool found = ORLO_FIND(open_v2) && ORLO_FIND(close_v2) && ORLO_FIND(busy_timeout)
        && ORLO_FIND(db_readonly) && ORLO_FIND(errmsg) && ORLO_FIND(errstr) && ORLO_FIND(exec)
        && ORLO_FIND(prepare_v2) && ORLO_FIND(finalize) && ORLO_FIND(bind_text64) && ORLO_FIND(bind_int64)
        && ORLO_FIND(step) && ORLO_FIND(reset) && ORLO_FIND(column_text) && ORLO_FIND(column_bytes) && ORLO_FIND(column_int64)
        && ORLO_FIND(changes) && ORLO_FIND(last_insert_rowid) && ORLO_FIND(extended_errcode)
        && ORLO_FIND(wal_checkpoint_v2) && ORLO_FIND(backup_init) && ORLO_FIND(backup_step)
        && ORLO_FIND(backup_finish) && ORLO_FIND(file_control) && ORLO_FIND(db_config)
        && ORLO_FIND(stmt_readonly) && ORLO_FIND(vfs_find);
#undef ORLO_FIND
    if (!found) {
        loaded.functions = {};
        dlclose(library);
    }
    return loaded;
}

} // namespace

const SqliteLibrary &sqlite()
{
    static const Loaded loaded = load();
    if (!loaded.missing.empty())
        throw SqliteMissing(loaded.missing);
    return loaded.functions;
}

} // namespace orlo::journal
