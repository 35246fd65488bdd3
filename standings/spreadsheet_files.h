#pragma once

#include "results_table.h"

#include <functional>
#include <string>
#include <vector>

namespace orlo::standings {

// Writes a file through write, which is given a name beside path to write
// to; that file then takes path's place, so path holds the whole file or
// what it held before. Throws std::runtime_error saying why nothing was written.
void writeAside(const std::string &path, const std::function<void(const std::string &part)> &write);

// The table as RFC 4180 CSV in UTF-8, headings first.
std::string csvOf(const Table &table);
// The table as CSV in the file at path, written aside.
void writeCsv(const Table &table, const std::string &path);
// The tables as the sheets of an XLSX workbook at path, written aside:
// numbers as numbers, dates as dates, the rest as text.
void writeXlsx(const std::vector<Table> &tables, const std::string &path);

} // namespace orlo::standings
