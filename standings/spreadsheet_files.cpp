#include "spreadsheet_files.h"

#include "flight_journal.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace orlo::standings {

namespace fs = std::filesystem;

void writeAside(const std::string &path, const std::function<void(const std::string &part)> &write)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        throw std::runtime_error("that is a folder");
    const std::string part = path + ".part-" + std::to_string(getpid());
    try {
        write(part);
        fs::rename(part, path);
    } catch (const fs::filesystem_error &failure) {
        fs::remove(part, error);
        throw std::runtime_error(failure.code().message());
    } catch (...) {
        fs::remove(part, error);
        throw;
    }
}

std::string csvOf(const Table &table)
{
    std::string csv;
    journal::appendCsvRow(csv, table.headings);
    for (const std::vector<Cell> &cells : table.rows) {
        std::vector<std::string> texts;
        for (const Cell &cell : cells)
            texts.push_back(cell.text);
        journal::appendCsvRow(csv, texts);
    }
    return csv;
}

void writeCsv(const Table &table, const std::string &path)
{
    const std::string csv = csvOf(table);
    writeAside(path, [&](const std::string &part) {
        std::ofstream file(part, std::ios::binary | std::ios::trunc);
        if (!(file << csv) || !file.flush())
            throw std::runtime_error(std::strerror(errno));
        file.close();
        if (!file)
            throw std::runtime_error(std::strerror(errno));
    });
}

} // namespace orlo::standings
