#include "spreadsheet_files.h"

#include "flights_csv.h"
#include "journal_files.h"
#include "program_module.h"

namespace orlo::exports {

std::string csvOf(const Table &table)
{
    std::string csv;
    appendCsvRow(csv, table.headings);
    for (const std::vector<Cell> &cells : table.rows) {
        std::vector<std::string> texts;
        for (const Cell &cell : cells)
            texts.push_back(cell.text);
        appendCsvRow(csv, texts);
    }
    return csv;
}

void writeCsv(const Table &table, const std::string &path)
{
    journal::writeFileAside(path, csvOf(table));
}

void writeResultsCsv(const contest::Results &results, const std::string &path)
{
    writeCsv(resultsTable(results), path);
}

// The workbook is written by a module of its own: libxlsxwriter, and through
// it the zip and crypto libraries, load at the first workbook, not at start.
void writeXlsx(const std::vector<Table> &tables, const std::string &path)
{
    using Writer = void(const std::vector<Table> &, const std::string &);
    static Writer *const write = reinterpret_cast<Writer *>(programModuleFunction("orlo_xlsx", "orloWriteXlsx"));
    journal::writeAside(path, [&](const std::string &part) { write(tables, part); });
}

void writeResultsXlsx(const contest::Results &results, const std::string &path)
{
    writeXlsx({resultsTable(results), contestTable(results)}, path);
}

void writeSeriesCsv(const contest::SeriesStandings &standings, const std::string &path)
{
    writeCsv(seriesTable(standings), path);
}

void writeSeriesXlsx(const contest::SeriesStandings &standings, const std::string &path)
{
    writeXlsx({seriesTable(standings), seriesRulesTable(standings)}, path);
}

} // namespace orlo::exports
