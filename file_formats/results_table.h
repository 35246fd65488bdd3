#pragma once

#include "results_model.h"
#include "series_standings.h"

#include <string>
#include <vector>

namespace orlo::journal {
struct FlightRow;
}

namespace orlo::exports {

// How a spreadsheet is to take a cell: a number when the text is one, a
// date ("YYYY-MM-DD", or with the time of day and offset) when it is one,
// else text.
enum class CellKind { Text, Number, Date };

struct Cell {
    std::string text;
    CellKind kind = CellKind::Text;
};

// A sheet of a results file: headings, then rows of as many cells or fewer.
struct Table {
    std::string name;
    std::vector<std::string> headings;
    std::vector<std::vector<Cell>> rows;
};

// The results model's file columns in one sheet: one row per contestant per
// class, then the combinations' rows with Class naming the combination and
// each class's part under its own column.
Table resultsTable(const contest::Results &results);
// The contest's name and days, when the results were read and each class's
// rule and whether it is final.
Table contestTable(const contest::Results &results);
// The series' file columns in one sheet: one row per contestant per class
// or combination, each contest's points under its own column.
Table seriesTable(const contest::SeriesStandings &standings);
// The series' name, its contests and each class's rules in words, and the
// near names with the director's choice.
Table seriesRulesTable(const contest::SeriesStandings &standings);
// The flights export's columns, numbers and times marked as such.
Table flightsTable(const std::vector<journal::FlightRow> &flights);

} // namespace orlo::exports
