#include "results_table.h"

#include "contest_words.h"
#include "flights_csv.h"
#include "results_model.h"
#include "series_results.h"
#include "series_words.h"

#include <algorithm>

namespace orlo::exports {

namespace {

Cell number(std::string text)
{
    return {std::move(text), CellKind::Number};
}

Cell date(std::string text)
{
    return {std::move(text), CellKind::Date};
}

// How the workbook writes a cell of a column of the flights export.
CellKind cellKind(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Number:
        return CellKind::Number;
    case ColumnKind::Date:
        return CellKind::Date;
    case ColumnKind::Text:
        break;
    }
    return CellKind::Text;
}

constexpr std::size_t noColumn = std::size_t(-1);

// Adds the table's file headings the file lacks: a heading met before is the
// same column, so the flights and a class's part line up from table to
// table; a new one goes before the next of its table's columns the file
// already has, or last.
void addHeadings(const contest::ResultTable &table, std::vector<std::string> &headings)
{
    for (std::size_t column = 0; column < table.columns.size(); ++column) {
        const std::string &heading = table.columns[column].fileHeading;
        if (!table.columns[column].inFiles() || std::find(headings.begin(), headings.end(), heading) != headings.end())
            continue;
        auto before = headings.end();
        for (std::size_t next = column + 1; next < table.columns.size() && before == headings.end(); ++next)
            if (table.columns[next].inFiles())
                before = std::find(headings.begin(), headings.end(), table.columns[next].fileHeading);
        headings.insert(before, heading);
    }
}

// The file's column of each of the table's; noColumn for one the sheets alone show.
std::vector<std::size_t> columnsOf(const contest::ResultTable &table, const std::vector<std::string> &headings)
{
    std::vector<std::size_t> at(table.columns.size(), noColumn);
    for (std::size_t column = 0; column < table.columns.size(); ++column)
        if (table.columns[column].inFiles())
            at[column] = std::size_t(
                std::find(headings.begin(), headings.end(), table.columns[column].fileHeading) - headings.begin());
    return at;
}

// The table's rows in the file's columns, after the rows there.
void addRows(const contest::ResultTable &shown, Table &table)
{
    const std::vector<std::size_t> at = columnsOf(shown, table.headings);
    for (const contest::ResultRow &row : shown.rows) {
        std::vector<Cell> &cells = table.rows.emplace_back(table.headings.size());
        for (std::size_t column = 0; column < at.size(); ++column)
            if (at[column] != noColumn)
                cells[at[column]] = {row.cells[column].text, row.cells[column].kind == contest::ValueKind::Number
                                                                 ? CellKind::Number
                                                                 : CellKind::Text};
    }
}

} // namespace

Table resultsTable(const contest::Results &results)
{
    std::vector<contest::ResultTable> tables;
    for (const contest::ClassStandings &standings : results.classes)
        tables.push_back(contest::classResults(standings, results));
    for (const contest::CombinedStandings &combined : results.combined)
        tables.push_back(contest::combinedResults(combined, results));
    // A class nobody has flown yet names the file's columns when no table does.
    const contest::ResultTable empty = contest::classResults({}, results);
    Table table{"Results", {}, {}};
    addHeadings(empty, table.headings);
    for (const contest::ResultTable &standings : tables)
        addHeadings(standings, table.headings);

    if (results.noFlights()) {
        std::vector<Cell> &said = table.rows.emplace_back(table.headings.size());
        said[std::find(table.headings.begin(), table.headings.end(), "Standing") - table.headings.begin()] = {
            results.voidFlights > 0 ? contest::noFlightCounts(results.voidFlights) : "No flights recorded."};
    }
    for (const contest::ResultTable &standings : tables)
        addRows(standings, table);
    return table;
}

Table seriesTable(const contest::SeriesStandings &standings)
{
    std::vector<contest::ResultTable> tables;
    for (const contest::SeriesTable &table : standings.tables)
        tables.push_back(contest::seriesResults(table, standings));
    // Nothing flown names the file's columns as an empty table does.
    const contest::ResultTable empty = contest::seriesResults({}, standings);
    Table table{"Series", {}, {}};
    addHeadings(empty, table.headings);
    for (const contest::ResultTable &shown : tables)
        addHeadings(shown, table.headings);
    for (const contest::ResultTable &shown : tables)
        addRows(shown, table);
    return table;
}

Table seriesRulesTable(const contest::SeriesStandings &standings)
{
    Table table{"Series rules", {"Series", "Value"}, {}};
    table.rows.push_back({{"Name"}, {standings.series.name}});
    table.rows.push_back({{"Contestants"}, {contest::sameContestantSentence()}});
    for (const contest::SeriesTable &shown : standings.tables) {
        std::string contests;
        for (const std::string &name : shown.contests)
            contests += (contests.empty() ? "" : "; ") + name;
        table.rows.push_back({{shown.rule.caption + ": contests"}, {contests}});
        for (const std::string &sentence : contest::seriesSentences(shown, standings.series))
            table.rows.push_back({{shown.rule.caption + ": rule"}, {sentence}});
    }
    for (const contest::NearName &near : standings.nearNames)
        table.rows.push_back({{"Near names"}, {contest::nearNameLine(near)}});
    return table;
}

Table contestTable(const contest::Results &results)
{
    const contest::ContestSettings &contest = results.contest;
    Table table{"Contest", {"Contest", "Value"}, {}};
    table.rows = {{{"Name"}, {contest.name}},
                  {{"First day"}, date(contest.firstDay)},
                  {{"Last day"}, date(contest.lastDay)},
                  {{"Results as of"}, date(results.asOf)}};
    for (const contest::ClassStandings &standings : results.classes) {
        table.rows.push_back({{standings.rule.caption + ": counted"}, {contest::ruleSentence(standings.rule)}});
        table.rows.push_back({{standings.rule.caption + ": final at"},
                              standings.rule.final ? date(standings.rule.finalAt) : Cell{"provisional"}});
    }
    if (!results.unreadAt.empty())
        table.rows.push_back({{"Journal could not be read at"}, date(results.unreadAt)});
    if (results.flightsWithoutContestant > 0)
        table.rows.push_back({{"Flights without a contestant, counted nowhere"},
                              number(std::to_string(results.flightsWithoutContestant))});
    return table;
}

Table flightsTable(const std::vector<journal::FlightRow> &flights)
{
    std::vector<std::vector<std::string>> texts = flightsTexts(flights);
    Table table{"Flights", std::move(texts.front()), {}};
    const std::vector<FlightsColumn> &columns = flightsColumns();
    for (std::size_t row = 1; row < texts.size(); ++row) {
        std::vector<Cell> &cells = table.rows.emplace_back();
        for (std::size_t column = 0; column < texts[row].size(); ++column)
            cells.push_back({std::move(texts[row][column]), cellKind(columns[column].kind)});
    }
    return table;
}

} // namespace orlo::exports
