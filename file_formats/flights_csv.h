#pragma once

#include "journal_reader.h"

#include <string>
#include <vector>

namespace orlo {

// What a column of the export holds, for a writer that tells a number from a text.
enum class ColumnKind { Text, Number, Date };

// A column of the export: its heading and what its cells hold.
struct FlightsColumn {
    std::string heading;
    ColumnKind kind;
};

// The export's columns, in its order, as its header row names them.
const std::vector<FlightsColumn> &flightsColumns();

// RFC 4180, UTF-8, a header row, one row per flight with every recorded
// field, then the contestant's number, the flight's status and its reason
// and its UUID; texts that a spreadsheet would take for a formula are prefixed, and
// control characters other than tabs and line breaks are left out.
std::string flightsCsv(const std::vector<journal::FlightRow> &flights);
// The export's texts, the headings first, for a writer of another format.
std::vector<std::vector<std::string>> flightsTexts(const std::vector<journal::FlightRow> &flights);
// One row of RFC 4180 CSV, fields quoted and prefixed as the export's are.
void appendCsvRow(std::string &csv, const std::vector<std::string> &fields);

} // namespace orlo
