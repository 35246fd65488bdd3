#include "field_view.h"

#include "contest_words.h"
#include "web_text.h"

#include <algorithm>

namespace orlo::field {

std::vector<ContestantClass> classesOf(const contest::Results &results, std::int64_t entry)
{
    std::vector<ContestantClass> found;
    for (const contest::ClassStandings &standings : results.classes)
        for (const contest::Standing &row : standings.rows)
            if (row.entry == entry && entry != 0)
                found.push_back({&standings, &row});
    return found;
}

std::vector<LatestFlight> latestFlights(const FieldView &view, std::size_t count)
{
    std::vector<LatestFlight> latest;
    for (const contest::ScoredFlight &flight : view.flights) {
        if (latest.size() >= count)
            break;
        if (flight.status == contest::FlightStatus::Void || flight.entry == 0)
            continue;
        const auto classes = classesOf(view.results, flight.entry);
        const auto in = std::find_if(classes.begin(), classes.end(), [&](const ContestantClass &each) {
            return each.standings->rule.caption == flight.classCaption;
        });
        if (in == classes.end())
            continue;
        latest.push_back({flight.id, flight.entry, in->standing->contestant, flight.classCaption,
                          flight.status == contest::FlightStatus::Attempt ? "attempt" : flight.score,
                          in->standing->place, in->standing->rank, flight.recordedAt});
    }
    return latest;
}

std::string justFlownSentence(const LatestFlight &flight)
{
    std::string said = "Just flown: " + flight.contestant + ", " + flight.classCaption + ", " + flight.score;
    return flight.rank > 0 ? said + ", now " + ordinal(flight.rank) : said;
}

std::string classState(const contest::ClassStandings &standings, const contest::Results &results)
{
    const contest::ClassRule &rule = standings.rule;
    std::string state = rule.final ? contest::finalState(contest::shownMoment(rule.finalAt))
                                   : contest::provisionalAsOf(contest::shownMoment(results.asOf));
    if (standings.waiting > 0)
        state += "; " + contest::waitingAfterFinal(standings.waiting, contest::shownMoment(standings.firstWaitingAt));
    if (!results.unreadAt.empty())
        state += "; the journal could not be read at " + contest::shownMoment(results.unreadAt)
            + ", this is the table as read before";
    return state;
}

} // namespace orlo::field
