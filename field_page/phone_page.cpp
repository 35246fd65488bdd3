#include "phone_page.h"

#include "contest_words.h"
#include "page_parts.h"
#include "results_model.h"
#include "web_text.h"

#include <algorithm>

namespace orlo::field {

namespace {

std::string heading(const contest::Results &results)
{
    std::string html = "<h1>" + htmlEscaped(results.contest.name.empty() ? "Standings" : results.contest.name) + "</h1>";
    const auto &contest = results.contest;
    if (!contest.firstDay.empty())
        html += "<p>" + htmlEscaped(contest.firstDay == contest.lastDay || contest.lastDay.empty()
                                        ? contest.firstDay
                                        : contest.firstDay + " to " + contest.lastDay)
            + "</p>";
    return html;
}

std::string nameCell(std::int64_t entry, const std::string &contestant, const std::string &below)
{
    std::string cell = "<td><a href=\"" + contestantAddress(entry) + "\">" + htmlEscaped(contestant) + "</a>";
    if (!below.empty())
        cell += "<br><small>" + htmlEscaped(below) + "</small>";
    return cell + "</td>";
}

// Who is called, for the pits: the name opens the pilot's page where they
// stand in the standings.
std::string upNextBlock(const FieldView &view)
{
    if (view.upNext.empty())
        return {};
    std::string html = "<section class=\"upnext\"><h2>Up next</h2><table><caption>Up next, in the order called</caption>"
                       "<thead><tr><th scope=\"col\">Called</th><th scope=\"col\">Contestant, class</th>"
                       "<th scope=\"col\" class=\"n\">Flight</th></tr></thead><tbody>";
    for (std::size_t place = 0; place < view.upNext.size(); ++place) {
        const contest::Call &call = view.upNext[place];
        html += "<tr><th scope=\"row\">" + htmlEscaped(contest::calledAs(place)) + "</th>";
        html += classesOf(view.results, call.entry).empty()
            ? "<td>" + htmlEscaped(call.contestant) + "<br><small>" + htmlEscaped(call.caption) + "</small></td>"
            : nameCell(call.entry, call.contestant, call.caption);
        html += "<td class=\"n\">" + std::to_string(call.flight) + "</td></tr>";
    }
    return html + "</tbody></table></section>";
}

std::string latestStrip(const FieldView &view)
{
    const std::vector<LatestFlight> latest = latestFlights(view, 5);
    if (latest.empty())
        return {};
    std::string html = "<section><h2>Latest flights</h2><table><caption>Latest flights, newest first</caption><thead><tr>"
                       "<th scope=\"col\">Contestant, class</th><th scope=\"col\" class=\"n\">Score</th>"
                       "<th scope=\"col\" class=\"n\">Place now</th></tr></thead><tbody>";
    for (const LatestFlight &flight : latest)
        html += "<tr>" + nameCell(flight.entry, flight.contestant, flight.classCaption) + "<td class=\"n\">"
            + htmlEscaped(flight.score) + "</td><td class=\"n\">" + htmlEscaped(flight.place) + "</td></tr>";
    return html + "</tbody></table></section>";
}

// A class for a phone's width: the number under the name, the flights in
// one column (the counted ones in bold, those beyond the allowed in
// brackets), as the results model ranks them.
std::string classTable(const contest::ClassStandings &standings)
{
    std::string html = "<table><caption>" + htmlEscaped(standings.rule.caption)
        + "</caption><thead><tr><th scope=\"col\">Place</th><th scope=\"col\">Contestant, number</th>"
          "<th scope=\"col\" class=\"n\">Flights</th><th scope=\"col\" class=\"n\">Score</th></tr></thead><tbody>";
    for (const contest::Standing &row : standings.rows) {
        html += "<tr><td>" + htmlEscaped(row.place) + "</td>"
            + nameCell(row.entry, row.contestant, row.number.empty() ? std::string() : "No. " + row.number);
        if (row.stillToFly) {
            html += "<td colspan=\"2\" class=\"remark\">still to fly</td></tr>";
            continue;
        }
        html += "<td class=\"n\">";
        for (std::size_t at = 0; at < row.flights.size(); ++at) {
            const contest::FlightScore &flight = row.flights[at];
            html += (at > 0 ? "<br>" : "")
                + cellHtml({flight.score, contest::ValueKind::Number,
                            flight.beyondAllowed ? contest::Mark::BeyondAllowed
                            : flight.counted     ? contest::Mark::Counted
                                                 : contest::Mark::None});
        }
        html += "</td><td class=\"n\"><b>" + htmlEscaped(row.score) + "</b></td></tr>";
    }
    return html + "</tbody></table>";
}

std::string combinedTable(const contest::CombinedStandings &combined)
{
    std::string html = "<table><caption>" + htmlEscaped(combined.combination.name)
        + "</caption><thead><tr><th scope=\"col\">Place</th><th scope=\"col\">Contestant, number</th>"
          "<th scope=\"col\" class=\"n\">Classes</th><th scope=\"col\" class=\"n\">Total</th></tr></thead><tbody>";
    for (const contest::CombinedStanding &row : combined.rows) {
        html += "<tr><td>" + htmlEscaped(row.place) + "</td>"
            + nameCell(row.entry, row.contestant, row.number.empty() ? std::string() : "No. " + row.number)
            + "<td class=\"n\">";
        for (std::size_t part = 0; part < combined.combination.classes.size(); ++part) {
            const std::string score = part < row.classScores.size() ? row.classScores[part] : std::string();
            html += (part > 0 ? "<br>" : "") + htmlEscaped(combined.combination.classes[part]) + " "
                + (score.empty() ? std::string("–") : htmlEscaped(score));
        }
        html += "</td><td class=\"n\"><b>" + htmlEscaped(row.total) + "</b></td></tr>";
    }
    return html + "</tbody></table>";
}

std::string anchorOf(std::string_view kind, std::size_t index)
{
    return std::string(kind) + "-" + std::to_string(index + 1);
}

std::string resultsLinks()
{
    return "<footer><p>The results sheet: <a href=\"/results.pdf\">PDF</a>, <a href=\"/results.html\">HTML</a>, "
           "<a href=\"/results.csv\">CSV</a>, <a href=\"/results.xlsx\">XLSX</a>.</p></footer>";
}

std::string page(const FieldView &view, std::string_view title, const std::string &body)
{
    return phoneDocument(view.version, title, body, resultsLinks());
}

} // namespace

std::string contestantAddress(std::int64_t entry)
{
    return "/contestant/" + std::to_string(entry);
}

std::string phonePage(const FieldView &view)
{
    const contest::Results &results = view.results;
    std::string body = heading(results);
    if (!results.unreadAt.empty())
        body += "<p class=\"state\">The journal could not be read at " + htmlEscaped(contest::shownMoment(results.unreadAt))
            + "; these standings are as read before.</p>";
    body += upNextBlock(view);
    if (results.noFlights())
        body += "<p>" + htmlEscaped(contest::noFlightCounts(results.voidFlights)) + "</p>";
    if (!view.series.empty()) {
        std::string names;
        for (const contest::SeriesStandings &standings : view.series)
            names += (names.empty() ? "" : ", ") + standings.series.name;
        body += "<p><a href=\"/series\">The season's series: " + htmlEscaped(names) + "</a></p>";
    }
    body += latestStrip(view);
    if (results.classes.size() + results.combined.size() > 1) {
        body += "<nav aria-label=\"Classes\">";
        for (std::size_t at = 0; at < results.classes.size(); ++at)
            body += "<a href=\"#" + anchorOf("class", at) + "\">" + htmlEscaped(results.classes[at].rule.caption) + "</a>";
        for (std::size_t at = 0; at < results.combined.size(); ++at)
            body += "<a href=\"#" + anchorOf("combined", at) + "\">" + htmlEscaped(results.combined[at].combination.name)
                + "</a>";
        body += "</nav>";
    }
    for (std::size_t at = 0; at < results.classes.size(); ++at) {
        const contest::ClassStandings &standings = results.classes[at];
        body += "<section id=\"" + anchorOf("class", at) + "\"><h2>" + htmlEscaped(standings.rule.caption) + "</h2>";
        body += "<p class=\"state\">" + htmlEscaped(classState(standings, results)) + "</p>";
        body += "<p>" + htmlEscaped(contest::ruleSentence(standings.rule)) + "</p>";
        // The score's parts are on each contestant's page.
        body += classTable(standings);
        body += "</section>";
    }
    for (std::size_t at = 0; at < results.combined.size(); ++at) {
        const contest::CombinedStandings &combined = results.combined[at];
        body += "<section id=\"" + anchorOf("combined", at) + "\"><h2>" + htmlEscaped(combined.combination.name) + "</h2>";
        for (const contest::WaitingFlights &part : combined.waiting)
            body += "<p class=\"state\">"
                + htmlEscaped(contest::waitingInClass(part.caption, part.flights, contest::shownMoment(part.firstAt)))
                + "</p>";
        body += combinedTable(combined);
        body += "</section>";
    }
    if (results.flightsWithoutContestant > 0)
        body += "<p>" + std::to_string(results.flightsWithoutContestant)
            + (results.flightsWithoutContestant == 1 ? " flight has" : " flights have")
            + " no contestant named yet and counts nowhere until the director names one.</p>";
    return page(view, results.contest.name.empty() ? "Standings" : results.contest.name, body);
}

std::optional<std::string> contestantPage(const FieldView &view, std::int64_t entry)
{
    const std::vector<ContestantClass> classes = classesOf(view.results, entry);
    if (classes.empty())
        return std::nullopt;
    const contest::Standing &first = *classes.front().standing;
    std::string body = "<p><a href=\"/\">All standings</a></p><h1>" + htmlEscaped(first.contestant) + "</h1>";
    if (!first.number.empty())
        body += "<p>Number " + htmlEscaped(first.number) + "</p>";
    for (const ContestantClass &in : classes) {
        const contest::ClassStandings &standings = *in.standings;
        const contest::Standing &standing = *in.standing;
        body += "<section><h2>" + htmlEscaped(standings.rule.caption) + "</h2>";
        body += "<p class=\"state\">" + htmlEscaped(classState(standings, view.results)) + "</p>";
        std::string where = standing.stillToFly     ? "Still to fly."
                          : standing.place == "att" ? "Attempts only (att): no official flight scored yet."
                                                    : "Place " + standing.place + ", score " + standing.score + ".";
        body += "<p><b>" + htmlEscaped(where) + "</b> " + htmlEscaped(contest::ruleSentence(standings.rule)) + "</p>";
        // The contestant's flights in this class, in the order flown; a void flight is listed on no result.
        std::vector<const contest::ScoredFlight *> flown;
        for (const contest::ScoredFlight &flight : view.flights)
            if (flight.entry == entry && flight.classCaption == standings.rule.caption
                && flight.status != contest::FlightStatus::Void)
                flown.push_back(&flight);
        std::reverse(flown.begin(), flown.end());
        if (flown.empty()) {
            body += "</section>";
            continue;
        }
        // A flight's parts down a narrow table of its own: a phone shows it without scrolling sideways.
        int number = 0;
        for (const contest::ScoredFlight *flight : flown) {
            ++number;
            const auto ranked = std::find_if(standing.flights.begin(), standing.flights.end(),
                                             [&](const contest::FlightScore &score) { return score.flight == flight->id; });
            const bool attempt = flight->status == contest::FlightStatus::Attempt;
            const bool counted = ranked != standing.flights.end() && ranked->counted;
            const std::string counts = attempt ? "No: an attempt scores nothing"
                : ranked == standing.flights.end() ? "No"
                : ranked->beyondAllowed            ? "No: flown after the official flights allowed"
                : counted                          ? "Yes"
                                                   : "No: better flights count";
            body += "<table class=\"flight\"><caption>" + htmlEscaped(standings.rule.caption) + ", flight "
                + std::to_string(number) + "</caption><thead><tr><th scope=\"col\" colspan=\"2\">Flight "
                + std::to_string(number) + (attempt ? " (attempt)" : "") + "</th></tr></thead><tbody>";
            for (const auto &[label, value] : {std::pair{"High speed", &flight->highSpeedPoints},
                                               std::pair{"Low speed", &flight->lowSpeedPoints},
                                               std::pair{"Engine bonus", &flight->engineBonus},
                                               std::pair{"Scale", &flight->scalePoints},
                                               std::pair{"Landing", &flight->landingPoints}})
                if (!value->empty())
                    body += "<tr><th scope=\"row\">" + std::string(label) + "</th><td class=\"n\">" + htmlEscaped(*value)
                        + "</td></tr>";
            if (!attempt)
                body += "<tr><th scope=\"row\">Score</th><td class=\"n\">"
                    + (counted ? "<b>" + htmlEscaped(flight->score) + "</b>" : htmlEscaped(flight->score)) + "</td></tr>";
            body += "<tr><th scope=\"row\">Counts</th><td>" + htmlEscaped(counts) + "</td></tr></tbody></table>";
        }
        body += "</section>";
    }
    return page(view, first.contestant, body);
}

} // namespace orlo::field
