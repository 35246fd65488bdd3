#include "carried_contest.h"

#include "contest_tables.h"
#include "database.h"

namespace orlo::journal {

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr const char *entryColumns = "id, name, compared_name, number, classes";
constexpr const char *ruleColumns = "caption, position, counting, counted, official_flights, ties, final, final_at";
constexpr const char *combinationColumns = "name, classes";
constexpr const char *trailColumns = "caption, changed_at, what";

Rows rowsOf(const Database &db, const std::string &sql, std::int64_t contest, int columns)
{
    Rows rows;
    Statement query(db, sql);
    query.bind(1, contest);
    while (query.step()) {
        std::vector<std::string> &row = rows.emplace_back();
        for (int column = 0; column < columns; ++column)
            row.push_back(query.text(column));
    }
    return rows;
}

// Each row into the contest: ?1 is the contest, the row's texts follow.
void insertRows(const Database &db, const std::string &table, const std::string &columns, const Rows &rows,
                std::int64_t contest)
{
    for (const std::vector<std::string> &row : rows) {
        std::string sql = "INSERT INTO " + table + " (contest, " + columns + ") VALUES (?1";
        for (std::size_t column = 0; column < row.size(); ++column)
            sql += ", ?" + std::to_string(column + 2);
        Statement insert(db, sql + ")");
        insert.bind(1, contest);
        for (std::size_t column = 0; column < row.size(); ++column)
            insert.bind(static_cast<int>(column) + 2, row[column]);
        insert.run();
    }
}

CarriedContest readCarried(const Database &db)
{
    CarriedContest carried;
    const std::int64_t id = currentContest(db);
    const auto of = [&](const char *columns, const char *table, const char *order, int count) {
        return rowsOf(db, std::string("SELECT ") + columns + " FROM " + table + " WHERE contest = ?1 ORDER BY " + order,
                      id, count);
    };
    carried.contest = rowsOf(db, "SELECT uuid, name, first_day, last_day FROM contest WHERE id = ?1", id, 4);
    carried.entries = of(entryColumns, "entry", "id", 5);
    carried.rules = of(ruleColumns, "class_rule", "position, caption", 8);
    carried.combinations = of(combinationColumns, "combination", "id", 2);
    carried.trail = of(trailColumns, "class_change", "id", 3);
    if (!carried.contest.empty())
        carried.name = carried.contest.front()[1];
    return carried;
}

} // namespace

CarriedContest carriedContest(const Database &db)
{
    ReadTransaction snapshot(db); // one snapshot of every table
    CarriedContest carried = readCarried(db);
    snapshot.commit();
    return carried;
}

bool startWith(const Database &db, const CarriedContest &carried)
{
    if (carried.contest.empty())
        return false;
    WriteTransaction transaction(db);
    Statement empty(db, "SELECT (SELECT count(*) FROM contest) = 1 AND NOT EXISTS (SELECT 1 FROM contest WHERE "
                        "name <> '' OR first_day <> '' OR last_day <> '') AND NOT EXISTS (SELECT 1 FROM flight) "
                        "AND NOT EXISTS (SELECT 1 FROM entry) AND NOT EXISTS (SELECT 1 FROM class_rule) "
                        "AND NOT EXISTS (SELECT 1 FROM combination) AND NOT EXISTS (SELECT 1 FROM class_change)");
    if (!empty.step() || empty.integer(0) == 0)
        return false;
    const std::int64_t id = currentContest(db);
    const std::vector<std::string> &contest = carried.contest.front();
    Statement(db, "UPDATE contest SET uuid = ?1, name = ?2, first_day = ?3, last_day = ?4 WHERE id = ?5")
        .bind(1, contest[0])
        .bind(2, contest[1])
        .bind(3, contest[2])
        .bind(4, contest[3])
        .bind(5, id)
        .run();
    insertRows(db, "entry", entryColumns, carried.entries, id);
    insertRows(db, "class_rule", ruleColumns, carried.rules, id);
    insertRows(db, "combination", combinationColumns, carried.combinations, id);
    insertRows(db, "class_change", trailColumns, carried.trail, id);
    transaction.commit();
    return true;
}

} // namespace orlo::journal
