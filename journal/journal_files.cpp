#include "journal_files.h"

#include "journal_schema.h"

#include <filesystem>
#include <system_error>

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

} // namespace orlo::journal
