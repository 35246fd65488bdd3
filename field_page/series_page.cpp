#include "series_page.h"

#include "contest_words.h"
#include "page_parts.h"
#include "series_results.h"
#include "series_words.h"
#include "web_text.h"

namespace orlo::field {

namespace {

// Each contest's points on a line of their own in one column, the contest
// named at the left and its points at the right: a season of many contests
// still fits a phone's width.
std::string pointsCell(const contest::SeriesTable &table, const contest::SeriesStanding &row)
{
    std::string cell = "<td>";
    for (std::size_t at = 0; at < table.contests.size() && at < row.contests.size(); ++at) {
        const contest::SeriesPoints &points = row.contests[at];
        cell += "<div class=\"pts\"><span>" + htmlEscaped(table.contests[at]) + "</span> ";
        if (points.points.empty())
            cell += "<span>–</span>";
        else if (points.counted)
            cell += "<b>" + htmlEscaped(points.points) + "</b>";
        else
            cell += "<span>(" + htmlEscaped(points.points) + ")<span class=\"said\"> dropped</span></span>";
        cell += "</div>";
    }
    return cell + "</td>";
}

std::string seriesTable(const contest::SeriesTable &table)
{
    std::string html = "<table><caption>" + htmlEscaped(table.rule.caption)
        + "</caption><thead><tr><th scope=\"col\">Place</th><th scope=\"col\">Contestant, number</th>"
          "<th scope=\"col\">Points by contest</th><th scope=\"col\" class=\"n\">Total</th></tr></thead><tbody>";
    for (const contest::SeriesStanding &row : table.rows) {
        html += "<tr><td>" + htmlEscaped(row.place) + "</td><td>" + htmlEscaped(row.contestant);
        if (!row.number.empty())
            html += "<br><small>No. " + htmlEscaped(row.number) + "</small>";
        html += "</td>" + pointsCell(table, row) + "<td class=\"n\"><b>" + htmlEscaped(row.total) + "</b></td></tr>";
    }
    return html + "</tbody></table>";
}

std::string anchorOf(std::size_t series, std::size_t table)
{
    return "series-" + std::to_string(series + 1) + "-" + std::to_string(table + 1);
}

std::string titleOf(const contest::SeriesStandings &standings)
{
    return standings.series.name.empty() ? "Series results" : standings.series.name;
}

} // namespace

std::string seriesPage(const FieldView &view)
{
    std::string body = "<p><a href=\"/\">All standings</a></p>";
    if (view.series.empty())
        body += "<h1>Series</h1><p>This journal holds no series yet: the director sets one up in the Standings "
                "window's Series view.</p>";
    if (!view.results.unreadAt.empty())
        body += "<p class=\"state\">The journal could not be read at "
            + htmlEscaped(contest::shownMoment(view.results.unreadAt)) + "; these standings are as read before.</p>";
    std::size_t tables = 0;
    for (const contest::SeriesStandings &standings : view.series)
        tables += standings.tables.size();
    for (std::size_t s = 0; s < view.series.size(); ++s) {
        const contest::SeriesStandings &standings = view.series[s];
        body += "<h1>" + htmlEscaped(titleOf(standings)) + "</h1>";
        std::string contests;
        for (const std::string &name : standings.contests)
            contests += (contests.empty() ? "" : ", ") + name;
        body += "<p>"
            + htmlEscaped(contests.empty() ? std::string("No contest of the series has flights yet.")
                                           : "Contests: " + contests + ".")
            + "</p>";
        if (standings.tables.empty() && !standings.contests.empty())
            body += "<p>No contest of the series has placed anybody yet.</p>";
        if (tables > 1 && !standings.tables.empty()) {
            body += "<nav aria-label=\"" + htmlEscaped(titleOf(standings)) + "\">";
            for (std::size_t t = 0; t < standings.tables.size(); ++t)
                body += "<a href=\"#" + anchorOf(s, t) + "\">" + htmlEscaped(standings.tables[t].rule.caption) + "</a>";
            body += "</nav>";
        }
        for (std::size_t t = 0; t < standings.tables.size(); ++t) {
            const contest::SeriesTable &table = standings.tables[t];
            body += "<section id=\"" + anchorOf(s, t) + "\"><h2>" + htmlEscaped(table.rule.caption) + "</h2>";
            // The sheets' sentences: the state, when a contest still runs, above
            // the table, the rules below it, so that a phone shows the places first.
            const std::vector<std::string> sentences = contest::seriesSentences(table, standings.series);
            const std::size_t rules = table.stillRunning.empty() ? 0 : 1;
            if (rules == 1)
                body += "<p class=\"state\">" + htmlEscaped(sentences.front()) + "</p>";
            body += seriesTable(table);
            for (std::size_t at = rules; at < sentences.size(); ++at)
                body += "<p>" + htmlEscaped(sentences[at]) + "</p>";
            body += "</section>";
        }
    }
    if (!view.series.empty())
        body += "<p>" + htmlEscaped(contest::sameContestantSentence()) + "</p>";
    const std::string title = view.series.size() == 1 ? titleOf(view.series.front()) : "Series";
    return phoneDocument(view.version, title, body, {});
}

} // namespace orlo::field
