#include "results_model.h"

#include "contest_words.h"
#include "conversions.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace orlo::contest {

namespace {


// A place is a number to a spreadsheet once ranked; "att" stays text.
ResultCell place(const std::string &place, int rank)
{
    return {place, rank > 0 ? ValueKind::Number : ValueKind::Text, Mark::None};
}

std::string joined(const std::vector<std::string> &parts, const std::string &by)
{
    std::string said;
    for (const std::string &part : parts)
        said += (said.empty() ? "" : by) + part;
    return said;
}

// The standing's state in a file's own column, with the full time of the
// read, begun in small letters as a cell within a row.
std::string stateOf(const ClassStandings &standings, const Results &results)
{
    const ClassRule &rule = standings.rule;
    std::string state = rule.final ? finalState(shownMoment(rule.finalAt)) : provisionalAsOf(shownMoment(results.asOf));
    state.front() = char(std::tolower(static_cast<unsigned char>(state.front())));
    if (standings.waiting > 0)
        state += "; " + waitingAfterFinal(standings.waiting, shownMoment(standings.firstWaitingAt));
    if (!standings.rounds.empty())
        state += "; " + standings.rounds;
    return results.unreadAt.empty() ? state
                                    : state + "; the journal could not be read at " + shownMoment(results.unreadAt)
                                          + ", this is the table as read before";
}

// A column and how a row fills it.
template <typename Row>
struct Column {
    ResultColumn column;
    std::function<ResultCell(const Row &)> cell;
};

template <typename Row>
ResultTable tableOf(std::string title, const std::vector<Column<Row>> &columns, const std::vector<Row> &rows)
{
    ResultTable table{std::move(title), {}, {}};
    for (const Column<Row> &column : columns)
        table.columns.push_back(column.column);
    for (const Row &row : rows) {
        ResultRow &shown = table.rows.emplace_back();
        for (const Column<Row> &column : columns)
            shown.cells.push_back(column.cell(row));
    }
    return table;
}

ResultCell flightCell(const Standing &row, std::size_t flight)
{
    if (flight >= row.flights.size())
        return numberCell({});
    const FlightScore &score = row.flights[flight];
    return numberCell(score.score, score.beyondAllowed ? Mark::BeyondAllowed
                               : score.counted     ? Mark::Counted
                                                   : Mark::None);
}

} // namespace

std::vector<std::size_t> ResultTable::sheetColumns() const
{
    std::vector<std::size_t> shown;
    for (std::size_t column = 0; column < columns.size(); ++column)
        if (columns[column].onSheets())
            shown.push_back(column);
    return shown;
}

ResultTable classResults(const ClassStandings &standings, const Results &results)
{
    using enum ShownIn;
    std::size_t flown = 0;
    for (const Standing &row : standings.rows)
        flown = std::max(flown, row.flights.size());
    const std::string caption = standings.rule.caption;
    const std::string state = stateOf(standings, results);

    std::vector<Column<Standing>> columns{
        {{"Class", "Class", false, Files}, [&](const Standing &) { return textCell(caption); }},
        {{"Place", "Place"}, [](const Standing &row) { return place(row.place, row.rank); }},
        {{"Contestant", "Contestant"}, [](const Standing &row) { return textCell(row.contestant); }},
        {{"Number", "Number"}, [](const Standing &row) { return textCell(row.number); }},
        {{"Score", "Score", true, Files}, [](const Standing &row) { return numberCell(row.score); }},
        {{"Attempts", "Attempts", true, Files},
         [](const Standing &row) { return numberCell(std::to_string(row.attempts)); }},
    };
    // A sheet keeps one flight's column before anyone has flown; a file has none.
    for (std::size_t flight = 0; flight < std::max<std::size_t>(flown, 1); ++flight) {
        const std::string heading = "Flight " + std::to_string(flight + 1);
        columns.push_back({{heading, heading, true, flight < flown ? Everywhere : Sheets},
                           [flight](const Standing &row) { return flightCell(row, flight); }});
    }
    const std::size_t scoreAt = columns.size();
    columns.push_back({{"Score", "Score", true, Sheets}, [](const Standing &row) { return numberCell(row.score, Mark::Score); }});
    columns.push_back({{"Counted flights", "Counted flights", false, Files}, [](const Standing &row) {
                           std::vector<std::string> counted;
                           for (std::size_t flight = 0; flight < row.flights.size(); ++flight)
                               if (row.flights[flight].counted)
                                   counted.push_back(std::to_string(flight + 1));
                           return textCell(joined(counted, " "));
                       }});
    columns.insert(columns.end(), {
        {{"HS points", "HS points", true}, [](const Standing &row) { return numberCell(row.highSpeedPoints); }},
        // Kept unrounded when halved for a stopped engine ("12.45"); shown to
        // the tenth as the sheet rounds it, as every other part is.
        {{"LS points", "LS points", true},
         [](const Standing &row) { return numberCell(Format_Pattern(row.lowSpeedPoints, Pattern::OneDecimal)); }},
        {{"Bonus", "Engine bonus", true}, [](const Standing &row) { return numberCell(row.engineBonus); }},
        {{"Scale", "Scale points", true}, [](const Standing &row) { return numberCell(row.scalePoints); }},
        {{"Landing", "Landing points", true}, [](const Standing &row) { return numberCell(row.landingPoints); }},
        {{"Standing", "Standing", false, Files}, [&](const Standing &) { return textCell(state); }},
        {{"Classes lacking", "Classes lacking", false, Files}, [](const Standing &) { return textCell({}); }},
    });

    ResultTable table = tableOf(caption, columns, standings.rows);
    table.remarkAt = scoreAt;
    for (std::size_t at = 0; at < standings.rows.size(); ++at) {
        const Standing &row = standings.rows[at];
        if (row.stillToFly)
            table.rows[at].remark = "still to fly";
        table.beyondAllowed = table.beyondAllowed
            || std::any_of(row.flights.begin(), row.flights.end(), [](const FlightScore &f) { return f.beyondAllowed; });
    }
    return table;
}

std::optional<std::string> combinationClosedAt(const CombinedStandings &combined, const Results &results)
{
    std::string closedAt;
    for (const std::string &caption : combined.combination.classes) {
        const auto standings = std::find_if(results.classes.begin(), results.classes.end(),
                                             [&](const ClassStandings &shown) { return shown.rule.caption == caption; });
        if (standings == results.classes.end() || !standings->rule.final)
            return std::nullopt;
        closedAt = std::max(closedAt, standings->rule.finalAt);
    }
    return closedAt;
}

ResultTable combinedResults(const CombinedStandings &combined, const Results &results)
{
    using enum ShownIn;
    const std::string name = combined.combination.name;
    const std::optional<std::string> closedAt = combinationClosedAt(combined, results);
    std::string state = closedAt ? finalState(shownMoment(*closedAt)) : provisionalAsOf(shownMoment(results.asOf));
    state.front() = char(std::tolower(static_cast<unsigned char>(state.front())));
    // A class of it closed as final with flights waiting: the sum may change once it is reopened.
    for (const WaitingFlights &part : combined.waiting)
        state += "; " + waitingInClass(part.caption, part.flights, shownMoment(part.firstAt));
    if (!results.unreadAt.empty())
        state += "; the journal could not be read at " + shownMoment(results.unreadAt) + ", this is the table as read before";
    std::vector<Column<CombinedStanding>> columns{
        {{"Class", "Class", false, Files}, [&](const CombinedStanding &) { return textCell(name); }},
        {{"Place", "Place"}, [](const CombinedStanding &row) { return place(row.place, row.rank); }},
        {{"Contestant", "Contestant"}, [](const CombinedStanding &row) { return textCell(row.contestant); }},
        {{"Number", "Number"}, [](const CombinedStanding &row) { return textCell(row.number); }},
        {{"Score", "Score", true, Files}, [](const CombinedStanding &row) { return numberCell(row.total); }},
        {{"Standing", "Standing", false, Files}, [&](const CombinedStanding &) { return textCell(state); }},
        {{"Classes lacking", "Classes lacking", false, Files},
         [](const CombinedStanding &row) { return textCell(joined(row.missing, "; ")); }},
    };
    // Each class's part of the combined score, under the class's caption.
    const std::vector<std::string> &classes = combined.combination.classes;
    for (std::size_t part = 0; part < classes.size(); ++part)
        columns.push_back({{classes[part], classes[part] + " score", true}, [part](const CombinedStanding &row) {
                               return numberCell(part < row.classScores.size() ? row.classScores[part] : std::string());
                           }});
    columns.push_back(
        {{"Total", "Total", true, Sheets}, [](const CombinedStanding &row) { return numberCell(row.total, Mark::Score); }});
    columns.push_back({{"Missing", "Missing", false, Sheets},
                       [](const CombinedStanding &row) { return textCell(joined(row.missing, ", ")); }});
    return tableOf(name, columns, combined.rows);
}

} // namespace orlo::contest
