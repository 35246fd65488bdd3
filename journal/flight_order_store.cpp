#include "flight_order_store.h"

#include "contest_journal_impl.h"
#include "contest_tables.h"
#include "database.h"
#include "journal_steps.h"

#include <string>

namespace orlo::journal {

namespace {

std::string joinIds(const std::vector<std::int64_t> &ids)
{
    std::string joined;
    for (std::int64_t id : ids)
        joined += (joined.empty() ? "" : "\n") + std::to_string(id);
    return joined;
}

} // namespace

void addFlightOrder(const Database &db)
{
    // A seed is kept as text: SQLite's integers are signed and a seed may
    // use all 64 bits. A class's list is its entries' ids, one a line.
    execute(db, R"sql(
CREATE TABLE order_setting (
    contest INTEGER PRIMARY KEY REFERENCES contest(id),
    min_distance INTEGER NOT NULL DEFAULT 3
);
CREATE TABLE class_order (
    contest INTEGER NOT NULL REFERENCES contest(id),
    caption TEXT NOT NULL,
    method TEXT NOT NULL DEFAULT 'as entered',
    seed TEXT NOT NULL DEFAULT '0',
    entries TEXT NOT NULL DEFAULT '',
    circle TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (contest, caption)
);
CREATE TABLE call_again (
    id INTEGER PRIMARY KEY,
    contest INTEGER NOT NULL REFERENCES contest(id),
    entry INTEGER NOT NULL REFERENCES entry(id),
    caption TEXT NOT NULL,
    after_flights INTEGER NOT NULL
);
ALTER TABLE entry ADD COLUMN withdrawn INTEGER NOT NULL DEFAULT 0;
)sql");
}

template <class Connection>
contest::FlyingOrder readFlightOrder(const Connection &db, std::int64_t contest)
{
    contest::FlyingOrder order;
    Statement setting(db, "SELECT min_distance FROM order_setting WHERE contest = ?1");
    if (setting.bind(1, contest).step())
        order.minDistance = static_cast<int>(setting.integer(0));
    Statement classes(db, "SELECT caption, method, seed, entries, circle FROM class_order WHERE contest = ?1 "
                          "ORDER BY caption");
    classes.bind(1, contest);
    while (classes.step()) {
        contest::ClassOrder &kept = order.classes.emplace_back();
        kept.caption = classes.text(0);
        // A method this program does not know flies as entered.
        kept.method = contest::methodNamed(classes.text(1)).value_or(contest::OrderMethod::AsEntered);
        try {
            kept.seed = std::stoull(classes.text(2));
        } catch (const std::exception &) {
            kept.seed = 0;
        }
        // A line that is no entry's id (another program's writing) is passed over.
        for (const std::string &line : linesOf(classes.text(3)))
            try {
                kept.entries.push_back(std::stoll(line));
            } catch (const std::exception &) {
            }
        kept.circle = classes.text(4);
    }
    Statement again(db, "SELECT entry, caption, after_flights FROM call_again WHERE contest = ?1 ORDER BY id");
    again.bind(1, contest);
    while (again.step())
        order.callAgain.push_back({again.integer(0), again.text(1), static_cast<int>(again.integer(2))});
    return order;
}

template contest::FlyingOrder readFlightOrder(const Database &, std::int64_t);
template contest::FlyingOrder readFlightOrder(const ReadOnlyDatabase &, std::int64_t);

void writeFlightOrder(const Database &db, std::int64_t contest, const contest::FlyingOrder &order)
{
    Statement(db, "INSERT INTO order_setting (contest, min_distance) VALUES (?1, ?2) "
                  "ON CONFLICT (contest) DO UPDATE SET min_distance = excluded.min_distance")
        .bind(1, contest)
        .bind(2, std::int64_t(std::max(1, order.minDistance)))
        .run();
    Statement(db, "DELETE FROM class_order WHERE contest = ?1").bind(1, contest).run();
    Statement insert(db, "INSERT INTO class_order (contest, caption, method, seed, entries, circle) "
                         "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    for (const contest::ClassOrder &kept : order.classes)
        insert.reset()
            .bind(1, contest)
            .bind(2, kept.caption)
            .bind(3, contest::methodName(kept.method))
            .bind(4, std::to_string(kept.seed))
            .bind(5, joinIds(kept.entries))
            .bind(6, kept.circle)
            .run();
}

void ContestJournal::setFlightOrder(const contest::FlyingOrder &order)
{
    m_impl->run(true, [&] { writeFlightOrder(m_impl->db, m_impl->contest(), order); });
}

void ContestJournal::callAgain(std::int64_t entry, std::string_view caption, int afterFlights)
{
    m_impl->run(true, [&] {
        Statement(m_impl->db, "INSERT INTO call_again (contest, entry, caption, after_flights) VALUES (?1, ?2, ?3, ?4)")
            .bind(1, m_impl->contest())
            .bind(2, entry)
            .bind(3, caption)
            .bind(4, std::int64_t(afterFlights))
            .run();
    });
}

void ContestJournal::setWithdrawn(std::int64_t entry, bool withdrawn)
{
    m_impl->run(true, [&] {
        if (!Statement(m_impl->db, "SELECT 1 FROM entry WHERE id = ?1").bind(1, entry).step())
            throw EntryRefused("That contestant is no longer on the entry list.");
        Statement(m_impl->db, "UPDATE entry SET withdrawn = ?1 WHERE id = ?2")
            .bind(1, std::int64_t(withdrawn))
            .bind(2, entry)
            .run();
    });
}

} // namespace orlo::journal
