// The reads ranking draws: the scored flights of the contest, and what a
// recorded flight or a correction changed since an earlier read.
#include "journal_reader_impl.h"

#include "sqlite_library.h"

namespace orlo::journal {

namespace {

// One read transaction: its statements see the journal as one commit left it.
// Ended by end(); a read left on an error is rolled back, and the reader
// closes the connection on a failed read in any case.
class Snapshot {
public:
    explicit Snapshot(const ReadOnlyDatabase &db) : m_db(db) { Statement(db, "BEGIN").run(); }
    ~Snapshot()
    {
        if (m_open) {
            try {
                Statement(m_db, "ROLLBACK").run();
            } catch (const DatabaseError &) {
                // Already on a failure's path, told by the read that failed.
            }
        }
    }
    Snapshot(const Snapshot &) = delete;
    Snapshot &operator=(const Snapshot &) = delete;
    void end()
    {
        m_open = false;
        Statement(m_db, "COMMIT").run();
    }

private:
    const ReadOnlyDatabase &m_db;
    bool m_open = true;
};

// The flights as scoredFlights() gives them, those that where passes with
// the values bound to ?1, ?2….
std::vector<contest::ScoredFlight> scoredFlightsWhere(const ReadOnlyDatabase &db, bool withEntries, bool withBonus,
                                                      const std::string &where,
                                                      const std::vector<std::int64_t> &values = {})
{
    const std::string sql = std::string("SELECT f.id, ")
        + (withEntries ? "coalesce(e.name, f.contestant), coalesce(f.entry, 0), coalesce(e.number, ''), f.status"
                       : "f.contestant, 0, '', 'official'")
        + ", c.class_caption, c.score, c.hs_points, c.ls_points, " + (withBonus ? "c.engine_bonus" : "''")
        + ", c.scale_points, c.landing_points, c.recorded_at, "
          "(SELECT recorded_at FROM calculation WHERE flight = f.id ORDER BY id LIMIT 1) FROM flight f"
        + (withEntries ? " LEFT JOIN entry e ON e.id = f.entry" : "")
        + " JOIN calculation c ON c.id = f.last_calculation WHERE 1" + where + " ORDER BY f.id DESC";
    std::vector<contest::ScoredFlight> rows;
    Statement query(db, sql);
    for (std::size_t at = 0; at < values.size(); ++at)
        query.bind(int(at) + 1, values[at]);
    while (query.step()) {
        contest::ScoredFlight &row = rows.emplace_back();
        row.id = query.integer(0);
        row.contestant = query.text(1);
        row.entry = query.integer(2);
        row.number = query.text(3);
        row.status = contest::statusNamed(query.text(4)).value_or(contest::FlightStatus::Official);
        row.classCaption = query.text(5);
        row.score = query.text(6);
        row.highSpeedPoints = query.text(7);
        row.lowSpeedPoints = query.text(8);
        row.engineBonus = query.text(9);
        row.scalePoints = query.text(10);
        row.landingPoints = query.text(11);
        row.recordedAt = query.text(12);
        row.flownAt = query.text(13);
    }
    return rows;
}

std::int64_t number(const ReadOnlyDatabase &db, const char *sql)
{
    Statement query(db, sql);
    if (!query.step())
        throw DatabaseError(SQLITE_ERROR, std::string("no answer to ") + sql);
    return query.integer(0);
}

} // namespace

std::vector<contest::ScoredFlight> JournalReader::scoredFlights() const
{
    return m_impl->read([&] {
        return scoredFlightsWhere(m_impl->db, m_impl->withEntries, m_impl->withEngineBonus, m_impl->inContest("f.contest"));
    });
}

ContestRead JournalReader::contestSince(const FlightsMark &since) const
{
    return m_impl->read([&] {
        const ReadOnlyDatabase &db = m_impl->db;
        const bool withEntries = m_impl->withEntries;
        Snapshot snapshot(db);
        ContestRead read;
        const std::int64_t contest = m_impl->contest();
        read.mark = {number(db, "SELECT coalesce(max(id), 0) FROM calculation"),
                     withEntries ? number(db, "SELECT coalesce(max(id), 0) FROM flight_change") : 0, m_impl->opening,
                     contest};
        if (m_impl->withContest)
            read.contest = readContest(db, contest);
        if (withEntries) {
            Statement query(db, std::string("SELECT id, name, number, classes, ")
                                    + (m_impl->withOrder ? "withdrawn" : "0") + " FROM entry e WHERE 1"
                                    + m_impl->inContest("e.contest") + " ORDER BY compared_name, id");
            while (query.step())
                read.entries.push_back({query.integer(0), query.text(1), query.text(2), linesOf(query.text(3)), 0,
                                        query.integer(4) != 0});
        }
        // What ranks a flight changes only with a calculation of it or a
        // correction kept in its trail: both rows come after the mark. Another
        // contest made current is read whole, and so is the contest after a
        // flight moved to another: a read of this contest's flights alone
        // would keep the one that left it.
        const std::string ofContest = m_impl->inContest("f.contest");
        read.whole = since.opening != m_impl->opening || since.contest != contest;
        if (!read.whole && withEntries) {
            Statement moved(db, "SELECT 1 FROM flight_change WHERE id > ?1 AND what = 'contest'");
            read.whole = moved.bind(1, since.change).step();
        }
        if (read.whole)
            read.flights = scoredFlightsWhere(db, withEntries, m_impl->withEngineBonus, ofContest);
        else if (withEntries)
            read.flights = scoredFlightsWhere(db, true, m_impl->withEngineBonus,
                                              ofContest + " AND f.id IN (SELECT flight FROM calculation WHERE id > ?1"
                                                          " UNION SELECT flight FROM flight_change WHERE id > ?2)",
                                              {since.calculation, since.change});
        else
            read.flights = scoredFlightsWhere(db, false, m_impl->withEngineBonus,
                                              ofContest + " AND f.id IN (SELECT flight FROM calculation WHERE id > ?1)",
                                              {since.calculation});
        snapshot.end();
        return read;
    });
}

} // namespace orlo::journal
