#include "contest_journal.h"

#include "contest_checks.h"
#include "contestant_names.h"
#include "contest_journal_impl.h"
#include "contest_tables.h"
#include "entry_import.h"
#include "entry_table.h"
#include "flight_corrections.h"
#include "series_store.h"

#include <algorithm>
#include <cctype>

namespace orlo::journal {

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

std::int64_t ContestJournal::Impl::contest() const
{
    return chosen != 0 ? chosen : currentContest(db);
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

std::int64_t ContestJournal::add(const contest::NewEntry &entry)
{
    return m_impl->run(true, [&] { return insertEntry(m_impl->db, m_impl->contest(), entry); });
}

void ContestJournal::rename(std::int64_t entry, std::string_view name)
{
    m_impl->run(true, [&] { renameEntry(m_impl->db, entry, name); });
}

void ContestJournal::setNumber(std::int64_t entry, std::string_view number)
{
    m_impl->run(true, [&] { numberEntry(m_impl->db, entry, number); });
}

void ContestJournal::setClasses(std::int64_t entry, const std::vector<std::string> &classes)
{
    m_impl->run(true, [&] { classifyEntry(m_impl->db, entry, classes); });
}

void ContestJournal::merge(std::int64_t from, std::int64_t into)
{
    m_impl->run(true, [&] { mergeEntries(m_impl->db, from, into, [this] { return m_impl->now(); }); });
}

void ContestJournal::remove(std::int64_t entry)
{
    m_impl->run(true, [&] { removeEntry(m_impl->db, entry); });
}

ImportOutcome ContestJournal::importEntries(const std::vector<RegistrationRow> &rows)
{
    // The import takes its own transaction: one that finds a row refused
    // writes nothing.
    return m_impl->run(false, [&] { return importRows(m_impl->db, m_impl->contest(), rows); });
}

void ContestJournal::setStatus(std::int64_t flight, contest::FlightStatus status, std::string_view reason)
{
    m_impl->run(true, [&] { setFlightStatus(m_impl->db, flight, status, reason, [this] { return m_impl->now(); }); });
}

void ContestJournal::moveFlight(std::int64_t flight, std::int64_t entry, std::string_view reason)
{
    m_impl->run(true, [&] { moveFlightToEntry(m_impl->db, flight, entry, reason, [this] { return m_impl->now(); }); });
}

void ContestJournal::moveToContest(std::int64_t flight, std::int64_t contest, std::string_view reason)
{
    m_impl->run(true,
                [&] { moveFlightToContest(m_impl->db, flight, contest, reason, [this] { return m_impl->now(); }); });
}

std::int64_t ContestJournal::startContest(const NewContest &contest)
{
    return m_impl->run(true, [&] { return journal::startContest(m_impl->db, contest); });
}

void ContestJournal::makeCurrent(std::int64_t contest)
{
    m_impl->run(true, [&] { journal::makeCurrent(m_impl->db, contest); });
}

void ContestJournal::chooseContest(std::int64_t contest)
{
    m_impl->chosen = contest;
}

void ContestJournal::setContest(const contest::ContestSettings &contest)
{
    m_impl->run(true, [&] {
        contest::ContestSettings stamped = contest;
        contest::stampClosings(stamped, m_impl->now());
        writeContest(m_impl->db, m_impl->contest(), stamped, m_impl->now());
    });
}

void ContestJournal::setFinal(std::string_view caption, bool final)
{
    m_impl->run(true, [&] { markFinal(m_impl->db, m_impl->contest(), caption, final, m_impl->now()); });
}

void ContestJournal::setSeries(const contest::SeriesSettings &series)
{
    const std::string name = contest::tidyName(series.name);
    if (std::none_of(name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80); }))
        throw EntryRefused("A series needs a name.");
    m_impl->run(true, [&] { writeSeries(m_impl->db, series, m_impl->now()); });
}

} // namespace orlo::journal
