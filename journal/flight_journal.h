#pragma once

#include "flight_observer.h"
#include "journal_notice.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::journal {

// Every flight scored, kept in one SQLite file that several programs may
// write at once. Never stops the scoring: a calculation the file cannot take
// at once waits in memory, in order, and is written as soon as it can be.
// The recording writer: it answers no read; what it wrote is read through a
// JournalReader.
class FlightJournal final : public FlightObserver {
public:
    // The file is opened at the first call that records, and created with
    // its folder if need be; a damaged file is moved aside under a dated
    // name and a fresh journal started.
    explicit FlightJournal(std::string path);
    // Writes what waits, as finish() does.
    ~FlightJournal() override;
    FlightJournal(const FlightJournal &) = delete;
    FlightJournal &operator=(const FlightJournal &) = delete;

    // Called with what befell the journal: when it cannot be
    // kept, when a file was moved aside, when calculations wait (at once
    // after a failed write, after a few seconds of another program's lock)
    // and when they are written after all. At once for the last notice
    // when it came before the handler was set.
    void setProblemHandler(std::function<void(const JournalNotice &)> handler);
    // Opens the file for recording now rather than at the first calculation,
    // so that a journal that cannot be kept is told at once. Returns isWorking().
    bool open();
    // Nothing has stopped the journal and no calculation waits for the file.
    bool isWorking() const;
    const JournalNotice &problem() const; // the last notice; JournalEvent::None when none
    const std::string &path() const;

    // Where the time of a calculation comes from; the system clock unless set.
    void setClock(std::function<std::time_t()> clock);

    // FlightObserver: on disk when the call returns, unless the file cannot
    // take it now; it then waits (see writeWaiting).
    void calculated(const CalculationRecord &calculation) override;
    // Also writes the log into the journal file, so that a copy of the file
    // alone holds the flights.
    void flightEnded() override;
    // The next contestant is flying: ends the flight on the sheet, as
    // flightEnded does, and records the next flight under that entry (0:
    // under none). A flight ended before any calculation of it keeps the
    // name for the next; one ended after leaves the next unnamed.
    void nowFlying(std::int64_t entry);
    // The entry the next flight is recorded under; 0 for none.
    std::int64_t nowFlyingEntry() const;
    // The flight on the sheet once a calculation of it is in the file; 0 before.
    std::int64_t flightOnTheSheet() const;

    // How many calculations wait in memory for the file.
    int waitingCalculations() const;
    // Tries once more to write what waits, without waiting on a lock: called
    // every few hundred milliseconds while something waits.
    void writeWaiting();
    // Writes what waits, waiting out a lock for a few seconds, writes the log
    // into the journal file and closes it. Tells nobody; returns how many
    // calculations could not be written.
    int finish();

    // Puts the flight under the entry of that name, compared without case and
    // extra blanks, adding an entry when none matches; the change is kept in
    // the flight's trail. False when the journal could not take it.
    bool setContestant(std::int64_t flightId, std::string_view contestant);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace orlo::journal
