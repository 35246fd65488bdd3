#include "spreadsheet_files.h"

#include "flights_csv.h"
#include "journal_files.h"

namespace orlo::standings {

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

} // namespace orlo::standings
