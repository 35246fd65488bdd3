#include "journal_recorder.h"

#include "after_first_frame.h"

#include <cstdio>

namespace orlo {

// Often enough that a calculation waits little longer than the lock; a
// try that meets the lock returns at once.
constexpr int retryIntervalMs = 250;

JournalRecorder::JournalRecorder(journal::FlightJournal &journal, ContestChanges &changes)
    : m_journal(journal), m_changes(changes)
{
    m_retry.setInterval(retryIntervalMs);
    QObject::connect(&m_retry, &QTimer::timeout, &m_retry, [this] {
        const int waiting = m_journal.waitingCalculations();
        m_journal.writeWaiting();
        if (m_journal.waitingCalculations() == 0)
            m_retry.stop();
        if (m_journal.waitingCalculations() < waiting)
            m_changes.tell(ContestChange::FlightRecorded);
    });
}

JournalRecorder::~JournalRecorder()
{
    if (const int lost = m_journal.finish(); lost > 0)
        std::fprintf(stderr, "Orlo_Score: %d calculations could not be written to the flight journal %s.\n", lost,
                     m_journal.path().c_str());
}

void JournalRecorder::writeWaitingSoon()
{
    if (m_journal.waitingCalculations() > 0 && !m_retry.isActive())
        m_retry.start();
}

void JournalRecorder::calculated(const CalculationRecord &calculation)
{
    m_journal.calculated(calculation);
    writeWaitingSoon();
    m_changes.tell(ContestChange::FlightRecorded);
}

void JournalRecorder::flightEnded()
{
    m_journal.flightEnded();
    writeWaitingSoon();
    m_changes.tell(ContestChange::FlightEnded);
}

void JournalRecorder::nowFlying(std::int64_t entry)
{
    m_journal.nowFlying(entry);
    writeWaitingSoon();
}

void JournalRecorder::openAfterFirstFrame(QObject *window)
{
    afterFirstFrame(window, [this] {
        m_journal.open();
        // Once the journal is open: the watch loads and opens nothing before.
        m_changes.watch();
    });
}

} // namespace orlo
