#include "journal_reader.h"
#include "journal_reader_impl.h"

#include "contest_tables.h"
#include "database.h"
#include "journal_columns.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "series_store.h"
#include "sqlite_library.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

namespace orlo::journal {

namespace {

std::vector<std::string> splitLines(const std::string &joined)
{
    std::vector<std::string> lines;
    if (joined.empty())
        return lines;
    lines.emplace_back();
    for (std::size_t i = 0; i < joined.size(); ++i) {
        if (joined[i] == '\n')
            lines.emplace_back();
        else if (joined[i] == '\\' && i + 1 < joined.size())
            lines.back() += joined[++i] == 'n' ? '\n' : joined[i];
        else
            lines.back() += joined[i];
    }
    return lines;
}

// Reads the columns "id, " + calculationColumns() starting at column first.
StoredCalculation readCalculation(const Statement &row, int first)
{
    StoredCalculation stored;
    stored.id = row.integer(first);
    stored.recordedAt = row.text(first + 1);
    int column = first + 2;
    for (const FieldColumn &field : fieldColumns)
        stored.values.*field.text = row.text(column++);
    stored.values.summary = splitLines(row.text(column));
    return stored;
}

// Every opening of a journal by any reader of the program: a mark names the one it was read in.
std::atomic<std::int64_t> openings{0};

} // namespace

std::int64_t nextOpening()
{
    return ++openings;
}

JournalReader::JournalReader(std::string path) : m_impl(std::make_unique<Impl>())
{
    m_impl->path = std::move(path);
}

JournalReader::~JournalReader()
{
    m_impl->close();
}

void JournalReader::close()
{
    m_impl->close();
}

const JournalNotice &JournalReader::notice() const
{
    return m_impl->notice;
}

std::vector<FlightRow> JournalReader::flights(const FlightFilter &filter) const
{
    return flights(filter, 0, -1);
}

namespace {

// After FROM flight f: the flights' last calculations that pass the filter
// in ?1 (day), ?2 (class) and ?5 (entry), in the contest that scoped says.
std::string filteredFlights(bool withEntries, const std::string &scoped)
{
    return std::string(" JOIN calculation c ON c.id = f.last_calculation"
                       " WHERE (?1 = '' OR c.day = ?1) AND (?2 = '' OR c.class_caption = ?2)")
        + (withEntries ? " AND (?5 = 0 OR coalesce(f.entry, -1) = ?5)" : " AND ?5 = 0") + scoped;
}

// What a column is ordered by, in the query of JournalReader::flights.
std::vector<std::string> orderedBy(FlightSortKey key, bool withEntries, bool withEngineBonus, bool withFlownAt)
{
    const auto number = [](const char *column) { return "CAST(" + std::string(column) + " AS REAL)"; };
    switch (key) {
    case FlightSortKey::Time:
        if (withFlownAt)
            return {"f.flown_at"};
        break;
    case FlightSortKey::Contestant:
        return {withEntries ? "coalesce(e.compared_name, lower(f.contestant))" : "lower(f.contestant)"};
    case FlightSortKey::Number:
        // Numbers as numbers, "9" before "17"; what is not one as text.
        if (withEntries)
            return {"CAST(coalesce(e.number, '') AS REAL)", "coalesce(e.number, '')"};
        break;
    case FlightSortKey::Class: return {"c.class_caption"};
    case FlightSortKey::Status:
        if (withEntries)
            return {"f.status"};
        break;
    case FlightSortKey::HighSpeed: return {number("c.hs_points")};
    case FlightSortKey::LowSpeed: return {number("c.ls_points")};
    case FlightSortKey::EngineBonus:
        if (withEngineBonus)
            return {number("c.engine_bonus")};
        break;
    case FlightSortKey::Scale: return {number("c.scale_points")};
    case FlightSortKey::Landing: return {number("c.landing_points")};
    case FlightSortKey::Total: return {number("c.score")};
    case FlightSortKey::Calculations: return {"f.calculation_count"};
    }
    return {"c.id"};
}

} // namespace

std::vector<FlightRow> JournalReader::flights(const FlightFilter &filter, std::int64_t olderThan, int limit) const
{
    return m_impl->read([&] {
        // Newest first, a page follows the last flight read, which the index of
        // the flights by contest and moment finds at once.
        if (m_impl->withFlownAt)
            return m_impl->pageOfFlights(filter,
                                         " AND (?3 = 0 OR (f.flown_at, f.id) < (SELECT flown_at, id FROM flight WHERE "
                                         "id = ?3)) ORDER BY f.flown_at DESC, f.id DESC LIMIT ?4 OFFSET ?6",
                                         olderThan, limit, 0);
        return m_impl->pageOfFlights(filter, " AND (?3 = 0 OR f.id < ?3) ORDER BY f.id DESC LIMIT ?4 OFFSET ?6",
                                     olderThan, limit, 0);
    });
}

std::vector<FlightRow> JournalReader::flights(const FlightFilter &filter, const FlightOrder &order, int skip,
                                              int limit) const
{
    return m_impl->read([&] {
        // Every term in the direction asked, ties newest first.
        std::string sorted;
        for (const std::string &term : orderedBy(order.key, m_impl->withEntries, m_impl->withEngineBonus, m_impl->withFlownAt))
            sorted += term + (order.descending ? " DESC, " : " ASC, ");
        return m_impl->pageOfFlights(filter, " AND ?3 = 0 ORDER BY " + sorted + "f.id DESC LIMIT ?4 OFFSET ?6", 0,
                                     limit, skip);
    });
}

std::vector<FlightRow> JournalReader::Impl::pageOfFlights(const FlightFilter &filter, const std::string &ordered,
                                                          std::int64_t olderThan, int limit, int skip)
{
    return read([&] {
        std::vector<FlightRow> rows;
        // A negative limit is none, to SQLite.
        const std::string sql = withEntries
            ? "SELECT f.id, coalesce(e.name, f.contestant), f.calculation_count, c.id, " + columns
                  + ", coalesce(f.entry, 0), coalesce(e.number, ''), f.status, f.status_reason, f.uuid, "
                  + (withFlownAt ? "f.flown_at" : "0") + " FROM flight f LEFT JOIN entry e ON e.id = f.entry" + filteredFlights(true, inContest("f.contest"))
            : "SELECT f.id, f.contestant, f.calculation_count, c.id, " + columns
                  + ", 0, '', 'official', '', '', 0 FROM flight f" + filteredFlights(false, "");
        Statement query(db, sql + ordered);
        query.bind(1, filter.day).bind(2, filter.classCaption).bind(3, olderThan).bind(4, std::int64_t(limit));
        query.bind(5, filter.entry).bind(6, std::int64_t(skip));
        while (query.step()) {
            FlightRow &row = rows.emplace_back();
            row.id = query.integer(0);
            row.contestant = query.text(1);
            row.calculationCount = static_cast<int>(query.integer(2));
            row.last = readCalculation(query, 3);
            // After the calculation's id and its columns, the flight's own.
            const int next = 4 + calculationColumnCount;
            row.entry = query.integer(next);
            row.number = query.text(next + 1);
            row.status = contest::statusNamed(query.text(next + 2)).value_or(contest::FlightStatus::Official);
            row.statusReason = query.text(next + 3);
            row.uuid = query.text(next + 4);
            row.flownAt = query.integer(next + 5);
        }
        return rows;
    });
}

int JournalReader::flightCount(const FlightFilter &filter) const
{
    return m_impl->read([&] {
        // Unfiltered, the flights alone are counted, without their calculations.
        const bool filtered = !filter.day.empty() || !filter.classCaption.empty() || filter.entry != 0;
        const std::string scoped = m_impl->inContest("f.contest");
        Statement query(m_impl->db, filtered ? "SELECT count(*) FROM flight f" + filteredFlights(m_impl->withEntries, scoped)
                                             : "SELECT count(*) FROM flight f WHERE f.last_calculation IS NOT NULL" + scoped);
        if (filtered)
            query.bind(1, filter.day).bind(2, filter.classCaption).bind(5, filter.entry);
        if (!query.step())
            throw DatabaseError(SQLITE_ERROR, "no count of the flights");
        return static_cast<int>(query.integer(0));
    });
}

std::vector<StoredCalculation> JournalReader::calculations(std::int64_t flightId) const
{
    return m_impl->read([&] {
        std::vector<StoredCalculation> calculations;
        Statement query(m_impl->db, "SELECT id, " + m_impl->columns + " FROM calculation WHERE flight = ?1 ORDER BY id");
        query.bind(1, flightId);
        while (query.step())
            calculations.push_back(readCalculation(query, 0));
        return calculations;
    });
}

std::vector<std::string> JournalReader::days() const
{
    // The days of the flights' last calculations: a flight recalculated
    // after midnight belongs to the new day only.
    return m_impl->read([&] {
        const std::int64_t contest = m_impl->contest();
        // A contest holding most of the journal's flights finds its days
        // through the day's index, as quick as listing the days alone: each
        // day is kept once one of its calculations is the last of a flight of
        // the contest. A contest among others goes through its own flights
        // instead, since proving a day of another contest not its own would
        // read every calculation of that day.
        bool mostOfTheJournal = contest == 0;
        if (!mostOfTheJournal) {
            Statement share(m_impl->db, "SELECT (SELECT count(*) FROM flight WHERE contest = ?1) * 2 "
                                        "> (SELECT coalesce(max(id), 0) FROM flight)");
            if (!share.bind(1, contest).step())
                throw DatabaseError(SQLITE_ERROR, "no count of the contest's flights");
            mostOfTheJournal = share.integer(0) != 0;
        }
        Statement query(m_impl->db,
                        mostOfTheJournal
                            ? "SELECT d.day FROM (SELECT DISTINCT day FROM calculation) d WHERE EXISTS ("
                              "SELECT 1 FROM calculation c JOIN flight f ON f.id = c.flight "
                              "WHERE c.day = d.day AND f.last_calculation = c.id"
                                  + m_impl->inContest("f.contest") + ") ORDER BY d.day DESC"
                            : std::string("SELECT DISTINCT c.day FROM flight f JOIN calculation c "
                                          "ON c.id = f.last_calculation WHERE f.contest = ?1 ORDER BY c.day DESC"));
        if (!mostOfTheJournal)
            query.bind(1, contest);
        std::vector<std::string> days;
        while (query.step())
            days.push_back(query.text(0));
        return days;
    });
}

std::vector<contest::Entry> JournalReader::entries() const
{
    return m_impl->read([&] { return m_impl->withEntries ? readEntries(m_impl->db, m_impl->contest(), m_impl->withOrder) : std::vector<contest::Entry>(); });
}

contest::ContestSettings JournalReader::contest() const
{
    return m_impl->read([&] { return m_impl->withContest ? readContest(m_impl->db, m_impl->contest()) : contest::ContestSettings(); });
}

std::vector<ClassChange> JournalReader::classChanges() const
{
    return m_impl->read([&] { return m_impl->withClassChanges ? readClassChanges(m_impl->db, m_impl->contest()) : std::vector<ClassChange>(); });
}

std::vector<FlightChange> JournalReader::changes(std::int64_t flightId) const
{
    return m_impl->read([&] {
        std::vector<FlightChange> changes;
        if (!m_impl->withEntries)
            return changes;
        Statement query(m_impl->db, "SELECT changed_at, what, before, after, reason FROM flight_change "
                                    "WHERE flight = ?1 ORDER BY id");
        query.bind(1, flightId);
        while (query.step())
            changes.push_back({query.text(0), query.text(1), query.text(2), query.text(3), query.text(4)});
        return changes;
    });
}

std::vector<contest::SeriesSettings> JournalReader::series() const
{
    return m_impl->read([&] { return m_impl->withSeries ? readSeries(m_impl->db) : std::vector<contest::SeriesSettings>(); });
}

std::vector<SeasonContest> JournalReader::contests() const
{
    return m_impl->read([&] {
        if (m_impl->withSeason)
            return readSeason(m_impl->db);
        // The one contest of an older journal, as it will be carried forward.
        const contest::ContestSettings settings = m_impl->withContest ? readContest(m_impl->db, 0) : contest::ContestSettings();
        SeasonContest only;
        only.name = settings.name;
        only.firstDay = settings.firstDay;
        only.lastDay = settings.lastDay;
        only.current = true;
        Statement counted(m_impl->db, "SELECT count(*) FROM flight WHERE last_calculation IS NOT NULL");
        only.flights = counted.step() ? static_cast<int>(counted.integer(0)) : 0;
        for (const contest::ClassRule &rule : settings.classes)
            only.finalClasses += rule.final ? 1 : 0;
        return std::vector<SeasonContest>{only};
    });
}

void JournalReader::chooseContest(std::int64_t contest)
{
    m_impl->chosen = contest;
}

std::int64_t JournalReader::chosenContest() const
{
    return m_impl->chosen;
}

const std::string &JournalReader::path() const
{
    return m_impl->path;
}

} // namespace orlo::journal
