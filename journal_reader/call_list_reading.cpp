#include "call_list_reading.h"

#include "flight_order_store.h"
#include "journal_reader.h"
#include "journal_reader_impl.h"

namespace orlo::journal {

contest::FlyingOrder JournalReader::flightOrder() const
{
    return m_impl->read([&] {
        return m_impl->withOrder ? readFlightOrder(m_impl->db, m_impl->contest()) : contest::FlyingOrder();
    });
}

contest::CallList readCallList(const JournalReader &reader)
{
    return contest::callList(reader.contest(), reader.flightOrder(), reader.entries(), reader.scoredFlights());
}

} // namespace orlo::journal
