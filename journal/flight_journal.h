#pragma once

#include "flight_observer.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace orlo::journal {

// One recorded calculation; recordedAt is local time with its UTC offset,
// "2026-12-08T14:03:27+01:00".
struct StoredCalculation {
    std::int64_t id = 0;
    std::string recordedAt;
    CalculationRecord values;
};

// A flight as the flights window lists it: its score is its last calculation.
struct FlightRow {
    std::int64_t id = 0;
    std::string contestant;
    int calculationCount = 0;
    StoredCalculation last;
};

// Empty members do not filter. day is "YYYY-MM-DD" of the local time recorded.
struct FlightFilter {
    std::string day;
    std::string classCaption;
};

// Every flight scored, kept in one SQLite file that several programs may
// write at once. Never stops the scoring: a journal that cannot be opened or
// written records nothing and reports the problem once.
class FlightJournal final : public FlightObserver {
public:
    // The file is opened at the first call that reads or records, and created
    // with its folder if need be; a damaged file is moved aside under a dated
    // name and a fresh journal started.
    explicit FlightJournal(std::string path);
    ~FlightJournal() override;
    FlightJournal(const FlightJournal &) = delete;
    FlightJournal &operator=(const FlightJournal &) = delete;

    // Called with a sentence for the official when the journal cannot be
    // opened, when it fails and stops recording, and when a damaged file was
    // moved aside: once for each; at once when it happened before the handler
    // was set.
    void setProblemHandler(std::function<void(const std::string &)> handler);
    bool isWorking() const; // records calculations
    const std::string &problem() const; // the sentence for the official; empty when none
    const std::string &path() const;

    // Where the time of a calculation comes from; the system clock unless set.
    void setClock(std::function<std::time_t()> clock);
    // Runs record, which reports calculations to this journal, as one
    // transaction: filling a journal with many flights at once.
    void recordInOneTransaction(const std::function<void(FlightObserver &)> &record);

    // FlightObserver: on disk when the call returns.
    void calculated(const CalculationRecord &calculation) override;
    void flightEnded() override;

    // The flight on the sheet, once a calculation of it is recorded; 0 before.
    std::int64_t currentFlight() const;

    // Newest first.
    std::vector<FlightRow> flights(const FlightFilter &filter = {}) const;
    // A page of them, newest first: at most limit flights, all older than the
    // flight olderThan unless that is 0. Reading a season of flights at once
    // takes far longer than a window may take to open.
    std::vector<FlightRow> flights(const FlightFilter &filter, std::int64_t olderThan, int limit) const;
    int flightCount(const FlightFilter &filter = {}) const;
    // Oldest first.
    std::vector<StoredCalculation> calculations(std::int64_t flightId) const;
    bool setContestant(std::int64_t flightId, std::string_view contestant);
    std::vector<std::string> days() const;          // newest first, "YYYY-MM-DD"
    std::vector<std::string> classCaptions() const; // as recorded

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// $XDG_DATA_HOME/orlo-score/journal.sqlite, or ~/.local/share/... without it.
std::string defaultJournalPath();

// RFC 4180, UTF-8, a header row, one row per flight with every recorded
// field; texts that a spreadsheet would take for a formula are prefixed.
std::string flightsCsv(const std::vector<FlightRow> &flights);

} // namespace orlo::journal
