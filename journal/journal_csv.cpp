#include "flight_journal.h"

#include <array>
#include <cctype>

namespace orlo::journal {

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

void appendRow(std::string &csv, const std::vector<std::string_view> &fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            csv += ',';
        appendField(csv, fields[i]);
    }
    csv += "\r\n";
}

constexpr std::array header{
    "Flight",         "Contestant",       "Calculations",    "Recorded at",     "Class",
    "HS watch 1",     "HS watch 2",       "LS watch 1",      "LS watch 2",      "HS time",
    "HS MPH",         "HS points",        "LS time",         "LS MPH",          "LS points",
    "Engines",        "Engines running",  "Scale points",    "Landing points",  "Score",
    "Summary",
    // Added later, at the end, so that readers of the first columns read on.
    "Number",         "Status",           "Status reason",   "UUID",
};

} // namespace

std::string flightsCsv(const std::vector<FlightRow> &flights)
{
    std::string csv;
    appendRow(csv, {header.begin(), header.end()});
    for (const FlightRow &flight : flights) {
        const CalculationRecord &values = flight.last.values;
        // The summary lines in one cell, one line each, as the sheet lists them.
        std::string summary;
        for (std::size_t i = 0; i < values.summary.size(); ++i)
            summary += (i > 0 ? "\n" : "") + values.summary[i];
        const std::string id = std::to_string(flight.id);
        const std::string count = std::to_string(flight.calculationCount);
        appendRow(csv, {id, flight.contestant, count, flight.last.recordedAt, values.classCaption,
                        values.highSpeedWatches[0], values.highSpeedWatches[1], values.lowSpeedWatches[0],
                        values.lowSpeedWatches[1], values.highSpeedTime, values.highSpeedMph,
                        values.highSpeedPoints, values.lowSpeedTime, values.lowSpeedMph, values.lowSpeedPoints,
                        values.engines[0], values.engines[1], values.scalePoints, values.landingPoints,
                        values.score, summary, flight.number, flight.status, flight.statusReason, flight.uuid});
    }
    return csv;
}

} // namespace orlo::journal
