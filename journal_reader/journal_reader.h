#pragma once

#include "contest_journal.h"
#include "flight_order.h"
#include "flight_observer.h"
#include "scored_flight.h"
#include "series_settings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orlo::journal {

// One recorded calculation; recordedAt is local time with its UTC offset,
// "2026-12-08T14:03:27+01:00".
struct StoredCalculation {
    std::int64_t id = 0;
    std::string recordedAt;
    CalculationRecord values;
};

// A flight as the flights window lists it: its score is its last calculation.
// contestant is the entry's name, or the name typed when none is linked. A
// status this program does not know is read as official, as it counts.
struct FlightRow {
    std::int64_t id = 0;
    std::string contestant;
    int calculationCount = 0;
    StoredCalculation last;
    std::int64_t entry = 0; // 0: no contestant named
    std::string number;     // the contestant's
    contest::FlightStatus status = contest::FlightStatus::Official;
    std::string statusReason;
    std::string uuid; // the flight's identifier across scoring tables
    // Seconds since 1970 in UTC of its first calculation, the order flown;
    // 0 when not known.
    std::int64_t flownAt = 0;
};

// Empty members do not filter. day is "YYYY-MM-DD" of the local time of the
// flight's last calculation, as everywhere a flight's day is shown.
struct FlightFilter {
    std::string day;
    std::string classCaption;
    std::int64_t entry = 0; // the contestant's entry; noEntry for flights without one
};
inline constexpr std::int64_t noEntry = -1;

// What a list of flights is ordered by: one of the columns the flights
// window shows, ties newest first. Points are ordered as numbers.
enum class FlightSortKey {
    Time, Contestant, Number, Class, Status, HighSpeed, LowSpeed, EngineBonus, Scale, Landing, Total, Calculations
};
struct FlightOrder {
    FlightSortKey key = FlightSortKey::Time;
    bool descending = true;
    bool newestFirst() const { return key == FlightSortKey::Time && descending; }
};

// Where the journal's flights stood at a read: its last calculation and its
// last correction then, in the opening of the file that read them, of the
// contest read.
struct FlightsMark {
    std::int64_t calculation = 0;
    std::int64_t change = 0;
    std::int64_t opening = 0; // 0: nothing read yet
    std::int64_t contest = 0;
};

// What ranking needs, read in one snapshot: the contest's settings, the
// entry list (without the counts of flights) and flights as scoredFlights()
// gives them, newest first: every flight when whole, else only those
// recorded or corrected after the mark read since.
struct ContestRead {
    contest::ContestSettings contest;
    std::vector<contest::Entry> entries;
    std::vector<contest::ScoredFlight> flights;
    bool whole = true;
    FlightsMark mark; // where this read leaves the journal
};

// The one way to read a journal, for every window and the command line: over
// a connection of its own whose type offers no write (ReadOnlyDatabase), so
// nothing is created, switched or moved aside. The journal's two writers,
// FlightJournal and ContestJournal, answer no read. The file is opened at
// the first read.
// Every read that fails throws JournalProblem saying why, so that a failure
// is never taken for a journal without flights; every read but the
// calculations and changes of a flight is of one contest; the next read opens the
// file again, as does a read after the files at the journal's name changed.
// One reader serves one thread at a time.
class JournalReader {
public:
    explicit JournalReader(std::string path);
    ~JournalReader();
    JournalReader(const JournalReader &) = delete;
    JournalReader &operator=(const JournalReader &) = delete;

    // Newest first: by the moment each was flown (its first calculation),
    // whichever scoring table recorded it; as recorded in an older journal.
    std::vector<FlightRow> flights(const FlightFilter &filter = {}) const;
    // A page of them, newest first: at most limit flights, all after the
    // flight olderThan in that order unless that is 0. Reading a season of flights at once
    // takes far longer than a window may take to open.
    std::vector<FlightRow> flights(const FlightFilter &filter, std::int64_t olderThan, int limit) const;
    // A page of them in another order: at most limit flights after the
    // first skip. Each page sorts every flight the filter passes.
    std::vector<FlightRow> flights(const FlightFilter &filter, const FlightOrder &order, int skip, int limit) const;
    int flightCount(const FlightFilter &filter = {}) const;
    // Every flight, newest first, with what ranking needs alone: its
    // contestant, status, and of its last calculation the class, the score
    // and the points. Quicker than the flights with all their texts.
    std::vector<contest::ScoredFlight> scoredFlights() const;
    // Every flight is read when since comes from another opening of the
    // file (or from none): ids are only compared within one file.
    ContestRead contestSince(const FlightsMark &since) const;
    // Oldest first.
    std::vector<StoredCalculation> calculations(std::int64_t flightId) const;
    std::vector<std::string> days() const;          // newest first, "YYYY-MM-DD"
    std::vector<contest::Entry> entries() const;             // by name; none in a journal older than the entry list
    contest::ContestSettings contest() const;                // empty when none was set
    std::vector<FlightChange> changes(std::int64_t flightId) const; // oldest first
    std::vector<ClassChange> classChanges() const;           // each closing and reopening of a class, oldest first
    // The order of flying kept; every class as entered in a journal without one.
    contest::FlyingOrder flightOrder() const;
    // The season's contests, oldest first; the one contest of a journal
    // older than the season, which has no id yet.
    std::vector<SeasonContest> contests() const;
    // The season's series, by name; none in a journal older than the series.
    std::vector<contest::SeriesSettings> series() const;
    // The flights, days, entries and settings read are this contest's from
    // now on (0: the current one's, whichever it is at each read).
    void chooseContest(std::int64_t contest);
    std::int64_t chosenContest() const;
    const std::string &path() const;
    // Said once the file was opened: an older journal carried forward.
    const JournalNotice &notice() const;
    // Lets go of the file; the next read opens it afresh.
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Copies the journal at journalPath to copyPath with SQLite's online backup,
// which copies a journal other programs are recording into as one whole
// journal, and returns how many flights the copy holds. The copy is written
// aside and put in place at the end; it never replaces the journal itself.
// Throws JournalProblem.
int backUpJournal(const std::string &journalPath, const std::string &copyPath);

} // namespace orlo::journal
