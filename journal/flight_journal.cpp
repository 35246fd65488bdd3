#include "flight_journal_impl.h"

#include "entry_table.h"
#include "local_time.h"

namespace orlo::journal {

FlightJournal::FlightJournal(std::string path) : m_impl(std::make_unique<Impl>(std::move(path))) {}

FlightJournal::~FlightJournal()
{
    finish();
}

void FlightJournal::setProblemHandler(std::function<void(const JournalNotice &)> handler)
{
    m_impl->problemHandler = std::move(handler);
    if (m_impl->problem && !m_impl->told)
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

const JournalNotice &FlightJournal::problem() const
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
        // An entry removed since it was named, or one of a contest no longer
        // current, leaves the flight without one.
        Statement(db, "INSERT INTO flight (uuid, contest, entry) VALUES (" ORLO_NEW_UUID ", " ORLO_CURRENT_CONTEST
                      ", (SELECT id FROM entry WHERE id = ?1 AND contest = " ORLO_CURRENT_CONTEST "))")
            .bind(1, flyingEntry)
            .run();
        flightId = db.lastInsertedRow();
    }
    calculation.attemptedCalculation = insertCalculation(db, flightId, calculation.values, calculation.recordedAt);
    transaction.commit();
    flight = flightId;
}

void FlightJournal::Impl::writeWaiting(int busyTimeout)
{
    busyTimeoutMs = busyTimeout;
    if (waiting.empty() || !open())
        return;
    db.setBusyTimeout(busyTimeoutMs);
    while (!waiting.empty()) {
        Waiting &next = waiting.front();
        if (next.flightEnd) {
            flight.reset();
            flyingEntry = next.nextEntry;
            waiting.pop_front();
            checkpointQuietly();
            if (!open())
                return;
            db.setBusyTimeout(busyTimeoutMs);
            continue;
        }
        try {
            record(next);
            waiting.pop_front();
        } catch (const DatabaseError &error) {
            const bool locked = error.kind() == ErrorKind::Busy;
            // A lock leaves the file as it was; anything else may have left
            // the connection unusable, and the file is opened afresh.
            if (!locked) {
                damaged = isDamage(error);
                close();
            }
            wait(error.what(), error.extendedCode());
            return;
        }
    }
    const bool wasTold = toldWaiting;
    waitingSince.reset();
    toldWaiting = false;
    if (wasTold)
        tell({JournalEvent::RecordsAgain, path});
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

std::int64_t FlightJournal::flightOnTheSheet() const
{
    return m_impl->flight.value_or(0);
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
