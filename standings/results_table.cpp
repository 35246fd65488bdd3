#include "results_table.h"

#include "flights_csv.h"

#include <algorithm>
#include <set>

namespace orlo::standings {

namespace {

Cell number(std::string text)
{
    return {std::move(text), CellKind::Number};
}

Cell date(std::string text)
{
    return {std::move(text), CellKind::Date};
}

std::string joined(const std::vector<std::string> &parts, const std::string &by)
{
    std::string text;
    for (const std::string &part : parts)
        text += (text.empty() ? "" : by) + part;
    return text;
}

std::string stateOf(const journal::ClassRule &rule, const Results &results)
{
    const std::string state = rule.final ? "final, " + rule.finalAt : "provisional, as of " + results.asOf;
    return results.unreadAt.empty() ? state
                                    : state + "; the journal could not be read at " + results.unreadAt
                                          + ", this is the table as read before";
}

std::string ruleText(const journal::ClassRule &rule)
{
    const std::string counting = rule.counting == journal::Counting::BestFlight
                                     ? "the best official flight"
                                     : "the sum of the best " + std::to_string(rule.counted) + " official flights";
    return counting + " of " + std::to_string(rule.officialFlights) + " allowed; ties " +
           (rule.ties == journal::TieRule::Shared ? "share the place" : "broken by the next-best flight");
}

} // namespace

Table resultsTable(const Results &results)
{
    std::size_t flightColumns = 0;
    for (const ClassStandings &standings : results.classes)
        for (const Standing &row : standings.rows)
            flightColumns = std::max(flightColumns, row.flights.size());
    Table table{"Results", {"Class", "Place", "Contestant", "Number", "Score", "Attempts"}, {}};
    for (std::size_t i = 1; i <= flightColumns; ++i)
        table.headings.push_back("Flight " + std::to_string(i));
    table.headings.insert(table.headings.end(), {"Counted flights", "HS points", "LS points", "Engine bonus",
                                                 "Scale points", "Landing points", "Standing", "Classes lacking"});
    if (results.noFlights()) {
        std::vector<Cell> &said = table.rows.emplace_back(table.headings.size());
        said[std::find(table.headings.begin(), table.headings.end(), "Standing") - table.headings.begin()] = {
            "No flights recorded."};
    }
    for (const ClassStandings &standings : results.classes) {
        for (const Standing &row : standings.rows) {
            std::vector<Cell> cells{{standings.rule.caption}, row.rank > 0 ? number(row.place) : Cell{row.place},
                                    {row.contestant}, {row.number}, number(row.score),
                                    number(std::to_string(row.attempts))};
            std::vector<std::string> counted;
            for (std::size_t i = 0; i < flightColumns; ++i) {
                cells.push_back(i < row.flights.size() ? number(row.flights[i].score) : Cell{});
                if (i < row.flights.size() && row.flights[i].counted)
                    counted.push_back(std::to_string(i + 1));
            }
            cells.insert(cells.end(), {{joined(counted, " ")}, number(row.highSpeedPoints),
                                       number(row.lowSpeedPoints), number(row.engineBonus), number(row.scalePoints),
                                       number(row.landingPoints), {stateOf(standings.rule, results)}});
            cells.resize(table.headings.size());
            table.rows.push_back(std::move(cells));
        }
    }
    for (const CombinedStandings &combined : results.combined) {
        for (const CombinedStanding &row : combined.rows) {
            std::vector<Cell> cells{{combined.combination.name}, row.rank > 0 ? number(row.place) : Cell{row.place},
                                    {row.contestant}, {row.number}, number(row.total)};
            cells.resize(table.headings.size() - 1);
            cells.push_back({joined(row.missing, "; ")});
            table.rows.push_back(std::move(cells));
        }
    }
    return table;
}

Table contestTable(const Results &results)
{
    const journal::ContestSettings &contest = results.contest;
    Table table{"Contest", {"Contest", "Value"}, {}};
    table.rows = {{{"Name"}, {contest.name}},
                  {{"First day"}, date(contest.firstDay)},
                  {{"Last day"}, date(contest.lastDay)},
                  {{"Results as of"}, date(results.asOf)}};
    for (const ClassStandings &standings : results.classes) {
        table.rows.push_back({{standings.rule.caption + ": counted"}, {ruleText(standings.rule)}});
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
    // Every other column holds a number or a reading of one.
    static const std::set<std::string> textColumns{"Contestant", "Class", "Summary", "Number",
                                                   "Status", "Status reason", "UUID"};
    for (std::size_t row = 1; row < texts.size(); ++row) {
        std::vector<Cell> &cells = table.rows.emplace_back();
        for (std::size_t column = 0; column < texts[row].size(); ++column) {
            const std::string &heading = table.headings[column];
            const CellKind kind = heading == "Recorded at"       ? CellKind::Date
                                  : textColumns.count(heading) > 0 ? CellKind::Text
                                                                   : CellKind::Number;
            cells.push_back({std::move(texts[row][column]), kind});
        }
    }
    return table;
}

} // namespace orlo::standings
