#pragma once

#include "contest_changes.h"
#include "flight_journal.h"
#include "flight_observer.h"

#include <QObject>
#include <QTimer>

#include <cstdint>

namespace orlo {

// Records what the sheet's rules calculate into the journal: each
// calculation as it is shown, the end of each flight, the contestant named
// next. What a locked or failing file could not take waits in the journal
// and is tried again every little while, and once more at the end. Each
// calculation recorded or set waiting, the calculations that waited once
// written, and each flight's end are told to changes.
class JournalRecorder final : public FlightObserver {
public:
    JournalRecorder(journal::FlightJournal &journal, ContestChanges &changes);
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
    // cannot be kept is told at once rather than at the first score; then
    // starts watching it for other programs' changes.
    // window is the sheet's QWindow; null opens it now.
    void openAfterFirstFrame(QObject *window);

private:
    void writeWaitingSoon();

    journal::FlightJournal &m_journal;
    ContestChanges &m_changes;
    QTimer m_retry;
};

} // namespace orlo
