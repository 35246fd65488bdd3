#include "spreadsheet_files.h"

#include "flights_csv.h"
#include "journal_files.h"

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

void writeResultsXlsx(const contest::Results &results, const std::string &path)
{
    writeXlsx({resultsTable(results), contestTable(results)}, path);
}

} // namespace orlo::exports
