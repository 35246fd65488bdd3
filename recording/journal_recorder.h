#pragma once

#include "flight_journal.h"
#include "flight_observer.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace orlo {

// Records what the sheet's rules calculate into the journal: each
// calculation as it is shown, the end of each flight, the contestant named
// next. What a locked or failing file could not take waits in the journal
// and is tried again every little while, and once more at the end.
class JournalRecorder final : public FlightObserver {
public:
    explicit JournalRecorder(journal::FlightJournal &journal);
    // Writes what waits and the log into the journal file: a copy of the
    // file alone is then whole. Says on the standard error what could not be.
    ~JournalRecorder() override;
    JournalRecorder(const JournalRecorder &) = delete;
    JournalRecorder &operator=(const JournalRecorder &) = delete;

    // FlightObserver: each is recorded, or waits, then told to the readers.
    void calculated(const CalculationRecord &calculation) override;
    void flightEnded() override;
    // The flight on the sheet ends, as at a Reset, and the next is recorded
    // under the contestant named.
    void nowFlying(std::int64_t entry);

    // Opens the journal once the shown sheet has had its first frame, so that
    // a first start creating the file never delays it, and a journal that
    // cannot be kept is told at once rather than at the first score.
    // window is the sheet's QWindow; null opens it now.
    void openAfterFirstFrame(QObject *window);

    // Told after a calculation is recorded or set waiting, and when
    // calculations that waited are written: what reads the journal reads again.
    void setRecorded(std::function<void()> recorded) { m_recorded = std::move(recorded); }
    // Told when calculations that waited for the file are written.
    void setWaitingWritten(std::function<void()> written) { m_waitingWritten = std::move(written); }
    // Told after a flight's end is recorded.
    void setFlightEnded(std::function<void()> ended) { m_flightEnded = std::move(ended); }

private:
    void writeWaitingSoon();

    journal::FlightJournal &m_journal;
    QTimer m_retry;
    std::function<void()> m_recorded = [] {};
    std::function<void()> m_waitingWritten = [] {};
    std::function<void()> m_flightEnded = [] {};
};

} // namespace orlo
