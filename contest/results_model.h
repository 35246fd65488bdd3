#pragma once

#include "standings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orlo::contest {

// Where a column of the results is shown: on the sheets (the Standings
// window and the page printed, as PDF or HTML), in the files for a
// spreadsheet (CSV and XLSX), or in both.
enum class ShownIn { Everywhere, Sheets, Files };

// How a cell is set apart: a flight that counts, a flight flown beyond those
// allowed (in brackets, never counting), or the row's score.
enum class Mark { None, Counted, BeyondAllowed, Score };

// Whether a spreadsheet is to take the cell as a number or as text.
enum class ValueKind { Text, Number };

struct ResultCell {
    std::string text;
    ValueKind kind = ValueKind::Text;
    Mark mark = Mark::None;
};

inline ResultCell textCell(std::string value)
{
    return {std::move(value), ValueKind::Text, Mark::None};
}

inline ResultCell numberCell(std::string value, Mark mark = Mark::None)
{
    return {std::move(value), ValueKind::Number, mark};
}

struct ResultColumn {
    std::string heading;     // on the sheets
    std::string fileHeading; // in CSV and XLSX
    bool numbers = false;    // a column of numbers, set to the right on the sheets
    ShownIn shownIn = ShownIn::Everywhere;

    bool onSheets() const { return shownIn != ShownIn::Files; }
    bool inFiles() const { return shownIn != ShownIn::Sheets; }
};

struct ResultRow {
    std::vector<ResultCell> cells; // one a column
    // Said on the sheets across the columns from the table's remarkAt on,
    // where a score would stand: "still to fly". Empty for most rows.
    std::string remark;
};

// A class's standings or a combination's, as every window and file shows them.
struct ResultTable {
    std::string title; // the class's caption or the combination's name
    std::vector<ResultColumn> columns;
    std::vector<ResultRow> rows;
    std::size_t remarkAt = 0;   // the first column a row's remark covers
    bool beyondAllowed = false; // some flight is shown in brackets

    // The columns shown on the sheets, in order.
    std::vector<std::size_t> sheetColumns() const;
};

// The columns and rows of a class's standings: place ("att" for attempts
// only, empty for one still to fly), contestant, number, each official flight
// marked counted or beyond those allowed, the score and its parts; in files
// also the class, the attempts, the flights counted and the standing's state.
ResultTable classResults(const ClassStandings &standings, const Results &results);

// The columns and rows of a combination: place, contestant, number, each
// class's part of the combined score, the total and the classes lacking; in
// files also its state, as a class's, and the classes of it with flights
// waiting after Final.
ResultTable combinedResults(const CombinedStandings &combined, const Results &results);

// A combination is final once every class of it is, closed at the latest of
// their closings; none while any class of it is provisional.
std::optional<std::string> combinationClosedAt(const CombinedStandings &combined, const Results &results);

} // namespace orlo::contest
