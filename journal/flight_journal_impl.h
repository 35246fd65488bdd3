#pragma once

// What a FlightJournal keeps: its connection, the flight on the sheet and the
// calculations that wait for the file.
#include "journal_schema.h"
#include "flight_journal.h"

#include "carried_contest.h"
#include "entry_table.h"
#include "database.h"
#include "journal_columns.h"
#include "journal_steps.h"
#include "journal_whereabouts.h"
#include "sqlite_library.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <optional>
#include <sys/statvfs.h>

namespace orlo::journal {

// A press waits this long for another program's short write (see
// journal_schema.cpp); once calculations wait, nothing waits on a lock.
inline constexpr int pressBusyTimeoutMs = 200;
// Another program's lock is told only when it lasts longer than this.
inline constexpr auto lockPatience = std::chrono::seconds(3);
// At the end, a lock is waited out this long.
inline constexpr int finishBusyTimeoutMs = 5000;

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


struct FlightJournal::Impl {
    std::string path;
    Database db;
    JournalNotice problem;
    bool told = false;
    std::function<void(const JournalNotice &)> problemHandler;
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    // The files as the connection opened them, and whether its lock showed.
    JournalFiles opened;
    bool lockShown = false;
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

    // A journal moved or removed: what is told of it once the new journal
    // at path is open, and the contest that journal starts with.
    std::optional<JournalNotice> moved;
    std::optional<CarriedContest> carried;

    std::deque<Waiting> waiting;
    // What a write waits for another program's lock: a press's, or Exit's.
    int busyTimeoutMs = pressBusyTimeoutMs;
    std::optional<std::chrono::steady_clock::time_point> waitingSince;
    bool toldWaiting = false;

    explicit Impl(std::string journalPath) : path(std::move(journalPath)) {}

    void tell(JournalNotice notice)
    {
        problem = std::move(notice);
        told = false;
        if (!problemHandler)
            return;
        told = true;
        problemHandler(problem);
    }

    void close() { db.close(); }

    // Opens the file for recording unless it is open and still the journal
    // at its name; false when it cannot be now (a passing problem, told as
    // calculations wait) or ever.
    bool open()
    {
        if (db)
            followName();
        if (db)
            return true;
        if (stopped)
            return false;
        try {
            JournalNotice notice;
            db = openJournal(path, damaged ? Access::RecordAfresh : Access::Record, notice);
            damaged = false;
            opened = journalFilesAt(path);
            lockShown = holdsLock(opened.journal);
            if (notice)
                tell(std::move(notice));
            carryContest();
            return true;
        } catch (const JournalProblem &problem) {
            tellMoved();
            if (problem.passing()) {
                wait(problem.cause(), problem.code());
                return false;
            }
            stopped = true;
            waiting.clear();
            if (problem.problemKind() == ProblemKind::Foreign)
                tell({JournalEvent::RefusedForeign, path});
            else if (problem.problemKind() == ProblemKind::LaterVersion)
                tell({JournalEvent::RefusedLaterVersion, path});
            else
                tell({JournalEvent::Stopped, path, {}, problem.cause()});
            return false;
        }
    }

    // Before a write: a journal moved or removed, a log or index removed by
    // another program, or this program's locks dropped, is closed before a
    // flight can go into a file nobody reads again, and opened anew at its
    // name; what waits is written there.
    void followName()
    {
        const Whereabouts whereabouts = whereaboutsOf(db, path, opened, lockShown);
        if (whereabouts == Whereabouts::AtItsName)
            return;
        if (whereabouts == Whereabouts::Moved || whereabouts == Whereabouts::Removed) {
            bool newJournal = false;
            JournalNotice kept = keepFlightsOf(db, path, opened, whereabouts, newJournal);
            if (newJournal) {
                flight.reset(); // the flight on the sheet goes on in the new journal
                try {
                    carried = carriedContest(db);
                } catch (const DatabaseError &) {
                    // The new journal starts without the contest; the notice says none is carried.
                }
            }
            moved = std::move(kept);
        } else if (whereabouts == Whereabouts::LogReplaced) {
            // The other program wrote the log into the journal before it
            // removed it; this one's log, gone from its name, must not be
            // written into the journal again at the close.
            db.leaveLogUnwritten();
        }
        close();
    }

    // The new journal at path starts with the contest the one moved or
    // removed held, entries under their own ids: the contestant now flying
    // is named in it as before. Then the move is told, with what was carried.
    void carryContest()
    {
        if (carried) {
            try {
                if (startWith(db, *carried) && moved) {
                    moved->contestCarried = true;
                    moved->carriedName = carried->name;
                }
            } catch (const DatabaseError &) {
                // A journal that cannot take it starts as any new one; its write fails on.
            }
            carried.reset();
        }
        tellMoved();
    }

    void tellMoved()
    {
        if (moved)
            tell(*std::exchange(moved, std::nullopt));
    }

    // A write failed or met a lock: what waits is told at once after a
    // failure, and after a few seconds of a lock, which is mostly over sooner.
    void wait(const std::string &cause, int code)
    {
        const bool locked = errorKind(code) == ErrorKind::Busy;
        const auto now = std::chrono::steady_clock::now();
        if (!waitingSince)
            waitingSince = now;
        if (toldWaiting || (locked && now - *waitingSince < lockPatience))
            return;
        toldWaiting = true;
        tell({JournalEvent::Waiting, path, {}, cause,
              locked ? WaitCause::Locked : diskFull(code) ? WaitCause::DiskFull : WaitCause::WriteFailed});
    }

    // SQLite says so, or the journal's file system has no room left: a full
    // disk may also fail a write as an I/O error, growing the log's index
    // among them.
    bool diskFull(int code) const
    {
        if (errorKind(code) == ErrorKind::DiskFull)
            return true;
        struct statvfs space {};
        const std::string folder = std::filesystem::absolute(path).parent_path().string();
        return statvfs(folder.c_str(), &space) == 0 && space.f_bavail == 0;
    }

    void record(Waiting &calculation);
    bool alreadyRecorded(const Waiting &calculation);
    void writeWaiting(int busyTimeout);

    // Writes the log into the journal file without waiting on a reader, and
    // restores the wait of the writes that follow. A failure loses nothing, as the
    // log keeps every commit; the next write reopens the file and meets the
    // fault, if it lasts.
    void checkpointQuietly()
    {
        if (!db)
            return;
        try {
            db.setBusyTimeout(0);
            checkpoint(db);
        } catch (const DatabaseError &) {
            close();
        }
        if (db)
            db.setBusyTimeout(busyTimeoutMs);
    }

    int waitingCount() const
    {
        int count = 0;
        for (const Waiting &entry : waiting)
            count += entry.flightEnd ? 0 : 1;
        return count;
    }
};

} // namespace orlo::journal
