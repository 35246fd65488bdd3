#include "contest_store.h"
#include "contestant_names.h"

namespace orlo::journal {

using contest::tidyName;

namespace {

// A director's edit waits out another program's write for this long.
constexpr int editBusyTimeoutMs = 5000;

} // namespace

const Database &ContestJournal::Impl::open()
{
    // A journal moved or removed, or its log removed by another program,
    // while this connection stayed open: a change written through it would
    // go into a file no reader at the journal's name sees, so the journal at
    // the name is opened afresh.
    if (db && !stillReadable(opened, journalFilesAt(path)))
        db.close();
    if (!db) {
        try {
            db = openJournal(path, Access::Record, notice);
        } catch (const JournalProblem &problem) {
            refuse(problem);
        }
        db.setBusyTimeout(editBusyTimeoutMs);
        opened = journalFilesAt(path);
    }
    return db;
}

void ContestJournal::Impl::fail(const DatabaseError &error)
{
    db.close();
    throw JournalProblem(JournalAttempt::Change, path, ProblemKind::Failed, error.what(),
                         error.kind() == ErrorKind::Busy, error.extendedCode());
}

void ContestJournal::Impl::refuse(const JournalProblem &problem)
{
    if (problem.refused())
        throw problem;
    throw JournalProblem(JournalAttempt::Change, path, problem.problemKind(), problem.cause(), problem.passing(),
                         problem.code());
}

ContestJournal::ContestJournal(std::string path) : m_impl(std::make_unique<Impl>())
{
    m_impl->path = std::move(path);
}

ContestJournal::~ContestJournal() = default;

const JournalNotice &ContestJournal::notice() const
{
    return m_impl->notice;
}

void ContestJournal::setClock(std::function<std::time_t()> clock)
{
    m_impl->clock = std::move(clock);
}

void ContestJournal::setStatus(std::int64_t flight, contest::FlightStatus status, std::string_view reason)
{
    m_impl->run(true, [&] {
        if (tidyName(reason).empty())
            throw EntryRefused("Give the reason for marking the flight " + contest::statusName(status)
                               + ": it settles a protest later.");
        Statement current(m_impl->db, "SELECT status FROM flight WHERE id = ?1");
        current.bind(1, flight);
        if (!current.step())
            throw EntryRefused("There is no flight " + std::to_string(flight) + " in the journal.");
        const std::string before = current.text(0);
        if (before == contest::statusName(status))
            throw EntryRefused("Flight " + std::to_string(flight) + " is " + before + " already.");
        Statement(m_impl->db, "UPDATE flight SET status = ?1, status_reason = ?2 WHERE id = ?3")
            .bind(1, contest::statusName(status))
            .bind(2, tidyName(reason))
            .bind(3, flight)
            .run();
        keepChange(m_impl->db, flight, m_impl->now(), "status", before, contest::statusName(status), reason);
    });
}

void ContestJournal::moveFlight(std::int64_t flight, std::int64_t entry, std::string_view reason)
{
    m_impl->run(true, [&] {
        Statement names(m_impl->db, "SELECT coalesce((SELECT name FROM entry WHERE id = f.entry), ''), "
                                    "(SELECT name FROM entry WHERE id = ?2 AND contest = f.contest), f.entry IS ?2 "
                                    "FROM flight f WHERE f.id = ?1");
        names.bind(1, flight).bind(2, entry);
        if (!names.step())
            throw EntryRefused("There is no flight " + std::to_string(flight) + " in the journal.");
        if (names.text(1).empty())
            throw EntryRefused("That entry is no longer on the list.");
        if (names.integer(2))
            throw EntryRefused("Flight " + std::to_string(flight) + " is " + names.text(1) + "'s already.");
        Statement(m_impl->db, "UPDATE flight SET entry = ?1 WHERE id = ?2").bind(1, entry).bind(2, flight).run();
        keepChange(m_impl->db, flight, m_impl->now(), "contestant", names.text(0), names.text(1), reason);
    });
}

} // namespace orlo::journal
