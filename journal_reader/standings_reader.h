#pragma once

#include "flight_order.h"
#include "journal_reader.h"
#include "series_standings.h"
#include "standings.h"

#include <string>
#include <vector>

namespace orlo::journal {

// The contest's standings from a journal, read again and again as flights
// are recorded: after the first read only the flights recorded or corrected
// since are read, and only their classes ranked again, the other classes'
// standings kept. A change of the entry list reads the journal whole again;
// a change of the contest's settings ranks every class again. The standings
// are always those a whole read gives. One thread at a time.
class StandingsReader {
public:
    explicit StandingsReader(std::string path);

    // Every class and combination, as of now. Throws JournalProblem; the
    // read after a failure reads the journal whole.
    contest::Results read();
    // The contest's flights as the last read left them, newest first.
    const std::vector<contest::ScoredFlight> &flights() const { return m_flights; }
    // Who the last read called: next, on deck and in the hole of every
    // class; none until the director keeps an order of flying for the
    // contest, so that no order the director does not call by is shown.
    const std::vector<contest::Call> &upNext() const { return m_upNext; }
    // Every series of the journal over the same reader, the current contest
    // as the last read ranked it. Throws JournalProblem.
    std::vector<contest::SeriesStandings> series();

private:
    contest::Results readOnce();

    JournalReader m_reader;
    FlightsMark m_mark;
    contest::ContestSettings m_contest;
    std::vector<contest::Entry> m_entries;
    std::vector<contest::ScoredFlight> m_flights; // newest first, as the journal lists them
    contest::Results m_results;
    std::vector<contest::Call> m_upNext;
};

} // namespace orlo::journal
