// FlightJournal's reads, over the reader of its own, and its one change of a
// recorded flight.
#include "flight_journal_impl.h"

#include "contest_store.h"

namespace orlo::journal {

std::vector<FlightRow> FlightJournal::flights(const FlightFilter &filter) const
{
    return m_impl->reader.flights(filter);
}

std::vector<FlightRow> FlightJournal::flights(const FlightFilter &filter, std::int64_t olderThan, int limit) const
{
    return m_impl->reader.flights(filter, olderThan, limit);
}

std::vector<FlightRow> FlightJournal::flights(const FlightFilter &filter, const FlightOrder &order, int skip,
                                              int limit) const
{
    return m_impl->reader.flights(filter, order, skip, limit);
}

int FlightJournal::flightCount(const FlightFilter &filter) const
{
    return m_impl->reader.flightCount(filter);
}

std::vector<StoredCalculation> FlightJournal::calculations(std::int64_t flightId) const
{
    return m_impl->reader.calculations(flightId);
}

std::vector<std::string> FlightJournal::days() const
{
    return m_impl->reader.days();
}

bool FlightJournal::setContestant(std::int64_t flightId, std::string_view contestant)
{
    if (!m_impl->open())
        return false;
    try {
        m_impl->db.setBusyTimeout(pressBusyTimeoutMs);
        WriteTransaction transaction(m_impl->db);
        const std::string now = localTimeText(m_impl->clock(), "%Y-%m-%dT%H:%M:%S%z");
        if (!nameContestant(m_impl->db, flightId, contestant, now))
            return false;
        transaction.commit();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace orlo::journal
