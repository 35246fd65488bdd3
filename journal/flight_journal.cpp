#include "flight_journal.h"

#include "contest_store.h"
#include "journal_columns.h"
#include "journal_steps.h"
#include "sqlite_library.h"
#include "sqlite_statement.h"

#include <chrono>
#include <deque>
#include <optional>

namespace orlo::journal {

namespace {

// A press waits this long for another program's short write (see
// journal_schema.cpp); once calculations wait, nothing waits on a lock.
constexpr int pressBusyTimeoutMs = 200;
// Another program's lock is told only when it lasts longer than this.
constexpr auto lockPatience = std::chrono::seconds(3);
// At the end, a lock is waited out this long.
constexpr int finishBusyTimeoutMs = 5000;

// A calculation, or the end of a flight, not yet in the file.
struct Waiting {
    bool flightEnd = false;
    CalculationRecord values;
    std::string recordedAt;
    // The rows a write wrote before it failed; its commit may have reached
    // the disk all the same, and the calculation is then not written twice.
    std::int64_t attemptedCalculation = 0;
    // At a flight's end: the entry the flights that follow are recorded under.
    std::int64_t nextEntry = 0;
};

} // namespace

struct FlightJournal::Impl {
    std::string path;
    sqlite3 *db = nullptr;
    JournalReader reader;
    std::string problem;
    bool told = false;
    std::function<void(const std::string &)> problemHandler;
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    bool stopped = false; // the file cannot be kept: nothing is recorded
    bool damaged = false; // found damaged in use: moved aside at the next opening

    // The flight on the sheet, once its first calculation is recorded.
    std::optional<std::int64_t> flight;
    // The contestant now flying: the entry a new flight is recorded under; 0 for none.
    std::int64_t flyingEntry = 0;
    // The contestant last named, which flyingEntry becomes once what waits is written.
    std::int64_t namedEntry = 0;
    // The last calculation of the flight on the sheet, written or waiting.
    std::optional<CalculationRecord> lastCalculated;

    std::deque<Waiting> waiting;
    std::optional<std::chrono::steady_clock::time_point> waitingSince;
    bool toldWaiting = false;

    explicit Impl(std::string journalPath) : path(std::move(journalPath)), reader(path) {}

    void tell(const std::string &sentence)
    {
        problem = sentence;
        told = false;
        if (!problemHandler)
            return;
        told = true;
        problemHandler(problem);
    }

    // Without a file open, SQLite may never have been loaded.
    void close()
    {
        if (db)
            sqlite().close_v2(db);
        db = nullptr;
    }

    // Opens the file for recording unless it is open; false when it cannot
    // be now (a passing problem, told as calculations wait) or ever.
    bool open()
    {
        if (db)
            return true;
        if (stopped)
            return false;
        try {
            std::string notice;
            db = openJournal(path, damaged ? Access::RecordAfresh : Access::Record, notice);
            damaged = false;
            if (!notice.empty())
                tell(notice);
            return true;
        } catch (const JournalProblem &problem) {
            if (problem.passing()) {
                wait(problem.what(), true);
                return false;
            }
            stopped = true;
            waiting.clear();
            tell(problem.what());
            return false;
        }
    }

    // A write failed or met a lock: what waits is told at once after a
    // failure, and after a few seconds of a lock, which is mostly over sooner.
    void wait(const std::string &cause, bool locked)
    {
        const auto now = std::chrono::steady_clock::now();
        if (!waitingSince)
            waitingSince = now;
        if (toldWaiting || (locked && now - *waitingSince < lockPatience))
            return;
        toldWaiting = true;
        tell("The flight journal " + path + (locked ? " is held by another program" : " cannot be written")
             + " (" + cause + "). The calculations scored meanwhile wait in memory and are written as soon as it "
             "can take them; keep Orlo Score open until then.");
    }

    void record(Waiting &calculation);
    bool alreadyRecorded(const Waiting &calculation);
    void writeWaiting(int busyTimeoutMs);

    // Writes the log into the journal file. A failure loses nothing, as the
    // log keeps every commit; the next write reopens the file and meets the
    // fault, if it lasts.
    void checkpointQuietly()
    {
        if (!db)
            return;
        try {
            sqlite().busy_timeout(db, 0);
            checkpoint(db);
        } catch (const DatabaseError &) {
            close();
        }
    }

    int waitingCount() const
    {
        int count = 0;
        for (const Waiting &entry : waiting)
            count += entry.flightEnd ? 0 : 1;
        return count;
    }
};

FlightJournal::FlightJournal(std::string path) : m_impl(std::make_unique<Impl>(std::move(path))) {}

FlightJournal::~FlightJournal()
{
    finish();
}

void FlightJournal::setProblemHandler(std::function<void(const std::string &)> handler)
{
    m_impl->problemHandler = std::move(handler);
    if (!m_impl->problem.empty() && !m_impl->told)
        m_impl->tell(m_impl->problem);
}

bool FlightJournal::open()
{
    return m_impl->open() && isWorking();
}

bool FlightJournal::isWorking() const
{
    return !m_impl->stopped && m_impl->waiting.empty();
}

const std::string &FlightJournal::problem() const
{
    return m_impl->problem;
}

const std::string &FlightJournal::path() const
{
    return m_impl->path;
}

void FlightJournal::setClock(std::function<std::time_t()> clock)
{
    m_impl->clock = std::move(clock);
}

bool FlightJournal::Impl::alreadyRecorded(const Waiting &calculation)
{
    Statement query(db, "SELECT flight FROM calculation WHERE id = ?1 AND recorded_at = ?2 AND score = ?3 "
                        "AND summary = ?4");
    query.bind(1, calculation.attemptedCalculation)
        .bind(2, calculation.recordedAt)
        .bind(3, calculation.values.score)
        .bind(4, summaryColumn(calculation.values.summary));
    if (!query.step())
        return false;
    flight = query.integer(0);
    return true;
}

void FlightJournal::Impl::record(Waiting &calculation)
{
    if (calculation.attemptedCalculation && alreadyRecorded(calculation))
        return;
    WriteTransaction transaction(db);
    std::int64_t flightId = 0;
    if (flight) {
        flightId = *flight;
    } else {
        // An entry removed since it was named leaves the flight without one.
        Statement(db, "INSERT INTO flight (uuid, entry) VALUES (" ORLO_NEW_UUID ", (SELECT id FROM entry WHERE id = ?1))")
            .bind(1, flyingEntry)
            .run();
        flightId = sqlite().last_insert_rowid(db);
    }
    calculation.attemptedCalculation = insertCalculation(db, flightId, calculation.values, calculation.recordedAt);
    transaction.commit();
    flight = flightId;
}

void FlightJournal::Impl::writeWaiting(int busyTimeoutMs)
{
    if (waiting.empty() || !open())
        return;
    sqlite().busy_timeout(db, busyTimeoutMs);
    while (!waiting.empty()) {
        Waiting &next = waiting.front();
        if (next.flightEnd) {
            flight.reset();
            flyingEntry = next.nextEntry;
            waiting.pop_front();
            checkpointQuietly();
            if (!open())
                return;
            continue;
        }
        try {
            record(next);
            waiting.pop_front();
        } catch (const DatabaseError &error) {
            const bool locked = error.code() == SQLITE_BUSY || error.code() == SQLITE_LOCKED;
            // A lock leaves the file as it was; anything else may have left
            // the connection unusable, and the file is opened afresh.
            if (!locked) {
                damaged = isDamage(error);
                close();
            }
            wait(error.what(), locked);
            return;
        }
    }
    const bool wasTold = toldWaiting;
    waitingSince.reset();
    toldWaiting = false;
    if (wasTold)
        tell("The flight journal " + path + " records again: every calculation that waited is written.");
}

void FlightJournal::calculated(const CalculationRecord &calculation)
{
    if (m_impl->stopped || (m_impl->lastCalculated && calculation == *m_impl->lastCalculated))
        return;
    m_impl->lastCalculated = calculation;
    Waiting next{false, calculation, localTimeText(m_impl->clock(), "%Y-%m-%dT%H:%M:%S%z")};
    // Behind calculations that wait, this one waits its turn without a lock's wait.
    const int busyTimeout = m_impl->waiting.empty() ? pressBusyTimeoutMs : 0;
    m_impl->waiting.push_back(std::move(next));
    m_impl->writeWaiting(busyTimeout);
}

void FlightJournal::flightEnded()
{
    // A Reset just after naming the next contestant keeps the name.
    nowFlying(m_impl->lastCalculated ? 0 : m_impl->namedEntry);
}

std::int64_t FlightJournal::nowFlyingEntry() const
{
    return m_impl->namedEntry;
}

void FlightJournal::nowFlying(std::int64_t entry)
{
    m_impl->namedEntry = entry;
    m_impl->lastCalculated.reset();
    // Behind calculations that wait, the end and the next contestant wait their turn.
    Waiting end{true, {}, {}};
    end.nextEntry = entry;
    if (m_impl->waiting.empty()) {
        m_impl->flight.reset();
        m_impl->flyingEntry = entry;
        m_impl->checkpointQuietly();
    } else {
        m_impl->waiting.push_back(std::move(end));
    }
}

int FlightJournal::waitingCalculations() const
{
    return m_impl->waitingCount();
}

void FlightJournal::writeWaiting()
{
    m_impl->writeWaiting(0);
}

int FlightJournal::finish()
{
    m_impl->problemHandler = nullptr;
    m_impl->writeWaiting(finishBusyTimeoutMs);
    m_impl->checkpointQuietly();
    m_impl->close();
    return m_impl->waitingCount();
}

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
        sqlite().busy_timeout(m_impl->db, pressBusyTimeoutMs);
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
