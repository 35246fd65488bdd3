#pragma once

#include "results_table.h"

#include <string>
#include <vector>

namespace orlo::exports {

// The table as RFC 4180 CSV in UTF-8, headings first.
std::string csvOf(const Table &table);
// The table as CSV in the file at path, written aside and synced
// (journal::writeAside); both throw std::runtime_error saying why nothing was written.
void writeCsv(const Table &table, const std::string &path);
// The tables as the sheets of an XLSX workbook at path, written aside:
// numbers as numbers, dates as dates, the rest as text.
void writeXlsx(const std::vector<Table> &tables, const std::string &path);

// The results as CSV, one sheet, and as an XLSX workbook, the results and
// the contest's sheets; both throw as writeCsv and writeXlsx.
void writeResultsCsv(const contest::Results &results, const std::string &path);
void writeResultsXlsx(const contest::Results &results, const std::string &path);
// The series as CSV, one sheet, and as a workbook with its rules' sheet.
void writeSeriesCsv(const contest::SeriesStandings &standings, const std::string &path);
void writeSeriesXlsx(const contest::SeriesStandings &standings, const std::string &path);

} // namespace orlo::exports
