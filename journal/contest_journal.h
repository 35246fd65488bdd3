#pragma once

#include "contest_settings.h"
#include "entries.h"
#include "flight_order.h"
#include "flight_status.h"
#include "journal_notice.h"
#include "season.h"
#include "series_settings.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::journal {

// One row of a registration file, with the line it starts on.
struct RegistrationRow {
    int line = 0;
    contest::NewEntry entry;
};

// What an import did: every row added or already listed, the classes of
// entries listed already it changed ("Lars Eriksen: Profile added"), or
// nothing at all and a sentence for each row that stopped it.
struct ImportOutcome {
    int added = 0;
    int alreadyListed = 0;
    std::vector<std::string> problems;
    std::vector<std::string> changed;
};

// One change of a flight, kept for good: what changed ("status",
// "contestant" or "contest"), from what to what, why and when (local time
// with offset).
struct FlightChange {
    std::string changedAt;
    std::string what;
    std::string before;
    std::string after;
    std::string reason;
};

// A class closed ("final") or reopened ("reopened") by the director, and when.
struct ClassChange {
    std::string caption;
    std::string changedAt;
    std::string what;

    friend bool operator==(const ClassChange &, const ClassChange &) = default;
};

// A change the entry list or a flight refuses, as a sentence for the director;
// nothing was changed.
class EntryRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The director's changes to the contest kept in a journal file: the entry
// list, each flight's contestant and status, the contest's settings, each
// with its trail. A writer that answers no read: what it changed is read
// through a JournalReader. Opens the file for recording at the first call,
// carrying an older journal forward. Every call throws EntryRefused for a
// change refused, JournalProblem when the file cannot be read or written.
class ContestJournal {
public:
    explicit ContestJournal(std::string path);
    ~ContestJournal();
    ContestJournal(const ContestJournal &) = delete;
    ContestJournal &operator=(const ContestJournal &) = delete;

    // Said once the file was opened: an older journal carried forward, or a
    // damaged one moved aside and a fresh one started.
    const JournalNotice &notice() const;
    // Where the time of a change comes from; the system clock unless set.
    void setClock(std::function<std::time_t()> clock);

    std::int64_t add(const contest::NewEntry &entry);
    void rename(std::int64_t entry, std::string_view name);
    void setNumber(std::int64_t entry, std::string_view number);
    void setClasses(std::int64_t entry, const std::vector<std::string> &classes);
    // The flights of from go to into, the change kept on each; from is gone.
    void merge(std::int64_t from, std::int64_t into);
    // Only an entry without flights goes; one with flights is renamed or merged.
    void remove(std::int64_t entry);
    // All or nothing; a row matching an entry by number, or else by the
    // compared name, is already listed and adds no entry, but gives the
    // entry the row's classes when it names any (see contest::classesChange).
    ImportOutcome importEntries(const std::vector<RegistrationRow> &rows);

    // A reason is required: it settles a protest later.
    void setStatus(std::int64_t flight, contest::FlightStatus status, std::string_view reason);
    void moveFlight(std::int64_t flight, std::int64_t entry, std::string_view reason);
    // A flight recorded into the wrong contest goes to another contest of the
    // journal, under the entry of the same number there, else of the same
    // compared name, else under its entry added to that contest's list.
    // Refused when its class is final in either contest: the move would
    // change a final ranking.
    void moveToContest(std::int64_t flight, std::int64_t contest, std::string_view reason);

    // Starts a contest and makes it current; EntryRefused for a name
    // without letters or used already, or days that are no dates.
    std::int64_t startContest(const NewContest &contest);
    // New flights are recorded into this contest from now on.
    void makeCurrent(std::int64_t contest);
    // The entry list and settings of this contest rather than the current
    // one's are read and changed; 0 follows the current contest again.
    void chooseContest(std::int64_t contest);
    // Refused in the words of contest::refusalOf (a day that is no date, a
    // class with two rules…); a class closed without a time is stamped with
    // the clock's time.
    void setContest(const contest::ContestSettings &contest);
    // Closes a class, stamped with the clock's time, or opens it again.
    void setFinal(std::string_view caption, bool final);
    // Keeps the series in place of the one of its name; EntryRefused for a
    // name without letters or digits.
    void setSeries(const contest::SeriesSettings &series);

    // The classes' orders of flying and the distance kept between a pilot's flights.
    void setFlightOrder(const contest::FlyingOrder &order);
    // The pilot's flight number afterFlights in the class counts for no
    // round: the pilot is called again.
    void callAgain(std::int64_t entry, std::string_view caption, int afterFlights);
    // A withdrawn pilot keeps the flights flown and is called for no more.
    void setWithdrawn(std::int64_t entry, bool withdrawn);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace orlo::journal
