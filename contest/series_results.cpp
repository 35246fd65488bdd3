#include "series_results.h"

#include "series_words.h"

namespace orlo::contest {

ResultTable seriesResults(const SeriesTable &table, const SeriesStandings &standings)
{
    using enum ShownIn;
    ResultTable shown{table.rule.caption, {}, {}};
    shown.columns = {{"Series", "Series", false, Files},
                     {"Class", "Class", false, Files},
                     {"Place", "Place"},
                     {"Contestant", "Contestant"},
                     {"Number", "Number"}};
    for (const std::string &contest : table.contests)
        shown.columns.push_back({contest, contest + " points", true});
    shown.columns.push_back({"Total", "Total", true});
    shown.columns.push_back({"Dropped", "Dropped", false, Files});
    shown.columns.push_back({"Standing", "Standing", false, Files});
    shown.columns.push_back({"Rules", "Rules", false, Files});
    const std::string state = table.stillRunning.empty() ? "final" : seriesStateSentence(table.stillRunning);
    std::string rules;
    for (const std::string &sentence : seriesSentences(table, standings.series))
        if (sentence != state)
            rules += (rules.empty() ? "" : " ") + sentence;
    for (const SeriesStanding &row : table.rows) {
        ResultRow &cells = shown.rows.emplace_back();
        cells.cells = {textCell(standings.series.name), textCell(table.rule.caption),
                       {row.place, row.rank > 0 ? ValueKind::Number : ValueKind::Text, Mark::None},
                       textCell(row.contestant), textCell(row.number)};
        std::string dropped;
        for (std::size_t c = 0; c < row.contests.size(); ++c) {
            const SeriesPoints &points = row.contests[c];
            const bool droppedHere = !points.counted && !points.points.empty();
            cells.cells.push_back(numberCell(points.points, droppedHere ? Mark::BeyondAllowed : Mark::None));
            if (droppedHere)
                dropped += (dropped.empty() ? "" : "; ") + table.contests[c];
        }
        cells.cells.push_back(numberCell(row.total, Mark::Score));
        cells.cells.push_back(textCell(dropped));
        cells.cells.push_back(textCell(state));
        cells.cells.push_back(textCell(rules));
    }
    shown.remarkAt = shown.columns.size();
    return shown;
}

std::vector<std::string> seriesSentences(const SeriesTable &table, const SeriesSettings &series)
{
    std::vector<std::string> said;
    if (const std::string state = seriesStateSentence(table.stillRunning); !state.empty())
        said.push_back(state);
    said.push_back(seriesPointsSentence(table.rule));
    said.push_back(countedContestsSentence(series, table.rule.scheme));
    said.push_back(seriesTieSentence(table.rule.scheme));
    return said;
}

} // namespace orlo::contest
