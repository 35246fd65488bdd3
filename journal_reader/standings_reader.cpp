#include "standings_reader.h"

#include "flight_order.h"
#include "journal_schema.h"
#include "local_time.h"
#include "series_reading.h"

#include <algorithm>
#include <ctime>

namespace orlo::journal {

namespace {

// The counts of flights aside, which the ranking does not use.
bool sameEntries(const std::vector<contest::Entry> &a, const std::vector<contest::Entry> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const contest::Entry &x, const contest::Entry &y) {
        return x.id == y.id && x.name == y.name && x.number == y.number && x.classes == y.classes
            && x.withdrawn == y.withdrawn;
    });
}

void note(std::vector<std::string> &classes, const std::string &caption)
{
    if (std::find(classes.begin(), classes.end(), caption) == classes.end())
        classes.push_back(caption);
}

// Puts the flights read again in place of those kept, the new ones where
// they belong among the newest first, and says which classes they changed:
// each flight's class before and after, a flight recalculated in another
// class changing both.
std::vector<std::string> takeChanged(std::vector<contest::ScoredFlight> &flights,
                                     std::vector<contest::ScoredFlight> changed)
{
    std::vector<std::string> classes;
    for (auto flight = changed.rbegin(); flight != changed.rend(); ++flight) {
        const auto at = std::lower_bound(flights.begin(), flights.end(), flight->id,
                                         [](const contest::ScoredFlight &kept, std::int64_t id) { return kept.id > id; });
        note(classes, flight->classCaption);
        if (at != flights.end() && at->id == flight->id) {
            note(classes, at->classCaption);
            *at = std::move(*flight);
        } else {
            flights.insert(at, std::move(*flight));
        }
    }
    return classes;
}

} // namespace

StandingsReader::StandingsReader(std::string path) : m_reader(std::move(path)) {}

contest::Results StandingsReader::read()
{
    try {
        return readOnce();
    } catch (...) {
        m_mark = {};
        throw;
    }
}

contest::Results StandingsReader::readOnce()
{
    std::string asOf = localTimeText(std::time(nullptr), "%Y-%m-%dT%H:%M:%S%z");
    ContestRead read = m_reader.contestSince(m_mark);
    // A name or number changed shows in the flights read before too.
    if (!read.whole && !sameEntries(read.entries, m_entries))
        read = m_reader.contestSince({});
    if (read.whole) {
        m_flights = std::move(read.flights);
        m_results = contest::rank(read.contest, read.entries, m_flights, {}, std::move(asOf));
    } else {
        const std::vector<std::string> changed = takeChanged(m_flights, std::move(read.flights));
        m_results = read.contest == m_contest
            ? contest::rankAgain(m_results, changed, read.entries, m_flights, std::move(asOf))
            : contest::rank(read.contest, read.entries, m_flights, {}, std::move(asOf));
    }
    // Where each class's rounds stand, from the order of flying: all the
    // flights count for it, void ones too.
    const contest::FlyingOrder order = m_reader.flightOrder();
    const contest::CallList called = contest::callList(m_results.contest, order, read.entries, m_flights);
    contest::tellRounds(m_results, called);
    m_upNext = order.classes.empty() ? std::vector<contest::Call>() : contest::upNext(called);
    m_contest = std::move(read.contest);
    m_entries = std::move(read.entries);
    m_mark = read.mark;
    return m_results;
}

std::vector<contest::SeriesStandings> StandingsReader::series()
{
    // Before a first read, or after a failed one, the mark names no contest read.
    return m_mark.opening == 0 ? everySeries(m_reader) : everySeries(m_reader, m_mark.contest, &m_results);
}

} // namespace orlo::journal
