#include "flights_csv.h"

#include "calculation_fields.h"

#include <array>
#include <cctype>
#include <string_view>

namespace orlo {

namespace {

// A number as the sheet shows one: a sign, digits and one decimal mark.
bool isPlainNumber(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    bool digit = false;
    bool mark = false;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if ((c == '.' || c == ',') && !mark)
            mark = true;
        else
            return false;
    }
    return digit;
}

// A spreadsheet takes a cell starting with one of these for a formula, and
// a quote in front makes it text: the habit spreadsheet users know. A
// number such as "-0.5" is left as it is, since it is no formula.
bool looksLikeFormula(std::string_view text)
{
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos
        && !isPlainNumber(text);
}

// RFC 4180: a field with a comma, quote or line break is quoted, and its
// quotes doubled.
void appendField(std::string &csv, std::string_view text)
{
    // A NUL or another control character ends or garbles a cell in many
    // spreadsheets; tabs and line breaks are kept, as typed. Left out before
    // the formula check, so that none hides a formula behind it.
    std::string kept;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7f) || c == '\t' || c == '\n' || c == '\r')
            kept += c;
    }
    std::string field;
    if (looksLikeFormula(kept))
        field += '\'';
    field += kept;
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        csv += field;
        return;
    }
    csv += '"';
    for (const char c : field) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

// A text of a calculation as the export keeps it.
struct FieldColumn {
    std::string CalculationRecord::*text;
    std::string_view heading;
    ColumnKind kind;
};

// The exported texts of a calculation, in the export's order: after the
// flight's number, contestant, count and time, the readings before what
// the sheet made of them.
constexpr std::array fieldColumns{
    FieldColumn{&CalculationRecord::classCaption, "Class", ColumnKind::Text},
    FieldColumn{&CalculationRecord::highSpeedWatch1, "HS watch 1", ColumnKind::Number},
    FieldColumn{&CalculationRecord::highSpeedWatch2, "HS watch 2", ColumnKind::Number},
    FieldColumn{&CalculationRecord::lowSpeedWatch1, "LS watch 1", ColumnKind::Number},
    FieldColumn{&CalculationRecord::lowSpeedWatch2, "LS watch 2", ColumnKind::Number},
    FieldColumn{&CalculationRecord::highSpeedTime, "HS time", ColumnKind::Number},
    FieldColumn{&CalculationRecord::highSpeedMph, "HS MPH", ColumnKind::Number},
    FieldColumn{&CalculationRecord::highSpeedPoints, "HS points", ColumnKind::Number},
    FieldColumn{&CalculationRecord::lowSpeedTime, "LS time", ColumnKind::Number},
    FieldColumn{&CalculationRecord::lowSpeedMph, "LS MPH", ColumnKind::Number},
    FieldColumn{&CalculationRecord::lowSpeedPoints, "LS points", ColumnKind::Number},
    FieldColumn{&CalculationRecord::enginesEntered, "Engines", ColumnKind::Number},
    FieldColumn{&CalculationRecord::enginesRunning, "Engines running", ColumnKind::Number},
    FieldColumn{&CalculationRecord::scalePoints, "Scale points", ColumnKind::Number},
    FieldColumn{&CalculationRecord::landingPoints, "Landing points", ColumnKind::Number},
    FieldColumn{&CalculationRecord::engineBonus, "Engine bonus", ColumnKind::Number},
    FieldColumn{&CalculationRecord::score, "Score", ColumnKind::Number},
};
static_assert(keepsEveryField(fieldColumns), "every text of a calculation needs a column in the flights export");

} // namespace

void appendCsvRow(std::string &csv, const std::vector<std::string> &fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            csv += ',';
        appendField(csv, fields[i]);
    }
    csv += "\r\n";
}

const std::vector<FlightsColumn> &flightsColumns()
{
    static const std::vector<FlightsColumn> columns = [] {
        std::vector<FlightsColumn> list{{"Flight", ColumnKind::Number},
                                        {"Contestant", ColumnKind::Text},
                                        {"Calculations", ColumnKind::Number},
                                        {"Recorded at", ColumnKind::Date}};
        for (const FieldColumn &field : fieldColumns)
            list.push_back({std::string(field.heading), field.kind});
        list.push_back({"Summary", ColumnKind::Text});
        // Added later, at the end, so that readers of the first columns read on.
        list.insert(list.end(), {{"Number", ColumnKind::Text},
                                 {"Status", ColumnKind::Text},
                                 {"Status reason", ColumnKind::Text},
                                 {"UUID", ColumnKind::Text}});
        return list;
    }();
    return columns;
}

std::vector<std::vector<std::string>> flightsTexts(const std::vector<journal::FlightRow> &flights)
{
    std::vector<std::string> header;
    for (const FlightsColumn &column : flightsColumns())
        header.push_back(column.heading);
    std::vector<std::vector<std::string>> rows{header};
    for (const journal::FlightRow &flight : flights) {
        const CalculationRecord &values = flight.last.values;
        // The summary lines in one cell, one line each, as the sheet lists them.
        std::string summary;
        for (std::size_t i = 0; i < values.summary.size(); ++i)
            summary += (i > 0 ? "\n" : "") + values.summary[i];
        std::vector<std::string> row{std::to_string(flight.id), flight.contestant,
                                     std::to_string(flight.calculationCount), flight.last.recordedAt};
        for (const FieldColumn &field : fieldColumns)
            row.push_back(values.*field.text);
        row.insert(row.end(), {summary, flight.number, contest::statusName(flight.status), flight.statusReason, flight.uuid});
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string flightsCsv(const std::vector<journal::FlightRow> &flights)
{
    std::string csv;
    for (const std::vector<std::string> &row : flightsTexts(flights))
        appendCsvRow(csv, row);
    return csv;
}

} // namespace orlo
