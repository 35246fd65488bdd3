#include "season.h"

#include "contest_checks.h"
#include "contest_journal.h"
#include "contest_tables.h"
#include "contestant_names.h"
#include "database.h"
#include "journal_steps.h"
#include "sqlite_library.h"

namespace orlo::journal {

std::string nameAfterDays(const std::string &firstDay, const std::string &lastDay)
{
    if (firstDay.empty() && lastDay.empty())
        return {};
    if (firstDay.empty() || lastDay.empty() || firstDay == lastDay)
        return "Contest of " + (firstDay.empty() ? lastDay : firstDay);
    return "Contest of " + firstDay + " to " + lastDay;
}

std::int64_t currentOf(const std::vector<SeasonContest> &season)
{
    for (const SeasonContest &each : season)
        if (each.current)
            return each.id;
    return 0;
}

void addSeason(const Database &db)
{
    // The single contest row becomes the first of many, each with a UUID
    // that finds it again in another scoring table; the class rules are
    // kept per contest, and so are entries, their numbers and the flights.
    execute(db, R"sql(
CREATE TABLE season_contest (
    id INTEGER PRIMARY KEY,
    uuid TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL DEFAULT '',
    first_day TEXT NOT NULL DEFAULT '',
    last_day TEXT NOT NULL DEFAULT '',
    is_current INTEGER NOT NULL DEFAULT 0
);
INSERT INTO season_contest (id, uuid, is_current) VALUES (1, )sql" ORLO_NEW_UUID R"sql(, 1);
UPDATE season_contest SET (name, first_day, last_day) = (SELECT name, first_day, last_day FROM contest)
    WHERE EXISTS (SELECT 1 FROM contest);
DROP TABLE contest;
ALTER TABLE season_contest RENAME TO contest;
CREATE UNIQUE INDEX one_current_contest ON contest(is_current) WHERE is_current = 1;
CREATE TABLE contest_class_rule (
    contest INTEGER NOT NULL REFERENCES contest(id),
    caption TEXT NOT NULL,
    position INTEGER NOT NULL,
    counting TEXT NOT NULL DEFAULT 'best-flight',
    counted INTEGER NOT NULL DEFAULT 1,
    official_flights INTEGER NOT NULL DEFAULT 2,
    ties TEXT NOT NULL DEFAULT 'shared',
    final INTEGER NOT NULL DEFAULT 0,
    final_at TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (contest, caption)
);
INSERT INTO contest_class_rule (contest, caption, position, counting, counted, official_flights, ties, final, final_at)
    SELECT 1, caption, position, counting, counted, official_flights, ties, final, final_at FROM class_rule;
DROP TABLE class_rule;
ALTER TABLE contest_class_rule RENAME TO class_rule;
ALTER TABLE combination ADD COLUMN contest INTEGER REFERENCES contest(id);
UPDATE combination SET contest = 1;
ALTER TABLE entry ADD COLUMN contest INTEGER REFERENCES contest(id);
UPDATE entry SET contest = 1;
DROP INDEX entry_by_name;
DROP INDEX entry_by_number;
CREATE INDEX entry_by_name ON entry(contest, compared_name);
CREATE UNIQUE INDEX entry_by_number ON entry(contest, number) WHERE number <> '';
ALTER TABLE flight ADD COLUMN contest INTEGER REFERENCES contest(id);
UPDATE flight SET contest = 1;
CREATE INDEX flight_of_contest ON flight(contest, id);
CREATE INDEX flight_by_uuid ON flight(uuid);
)sql");

    // A contest that had no name is named after its days, or else after the
    // days of its flights.
    Statement named(db, "SELECT name, first_day, last_day FROM contest WHERE id = 1");
    if (!named.step() || !named.text(0).empty())
        return;
    std::string first = named.text(1), last = named.text(2);
    if (first.empty() && last.empty()) {
        Statement flown(db, "SELECT coalesce(min(c.day), ''), coalesce(max(c.day), '') FROM flight f "
                            "JOIN calculation c ON c.id = f.last_calculation");
        if (flown.step()) {
            first = flown.text(0);
            last = flown.text(1);
        }
    }
    Statement(db, "UPDATE contest SET name = ?1 WHERE id = 1").bind(1, nameAfterDays(first, last)).run();
}

template <class Connection>
std::int64_t currentContest(const Connection &db)
{
    Statement query(db, "SELECT id FROM contest WHERE is_current = 1");
    if (!query.step())
        throw DatabaseError(SQLITE_CORRUPT, "the journal names no current contest");
    return query.integer(0);
}

namespace {

// The season's contests, oldest first, their flights and final classes
// counted when counted says so: counting reads every contest's flights,
// which finding a contest by its name has no need of.
template <class Connection>
std::vector<SeasonContest> contestsOf(const Connection &db, bool counted)
{
    std::vector<SeasonContest> season;
    Statement query(db, std::string("SELECT k.id, k.uuid, k.name, k.first_day, k.last_day, k.is_current, ")
                            + (counted ? "(SELECT count(*) FROM flight f WHERE f.contest = k.id "
                                         "AND f.last_calculation IS NOT NULL), "
                                         "(SELECT count(*) FROM class_rule r WHERE r.contest = k.id AND r.final <> 0) "
                                       : "0, 0 ")
                            + "FROM contest k ORDER BY k.id");
    while (query.step()) {
        SeasonContest &contest = season.emplace_back();
        contest.id = query.integer(0);
        contest.uuid = query.text(1);
        contest.name = query.text(2);
        contest.firstDay = query.text(3);
        contest.lastDay = query.text(4);
        contest.current = query.integer(5) != 0;
        contest.flights = static_cast<int>(query.integer(6));
        contest.finalClasses = static_cast<int>(query.integer(7));
    }
    // One never named goes by its days, or by the days of its flights.
    for (SeasonContest &contest : season) {
        if (!contest.name.empty())
            continue;
        std::string first = contest.firstDay, last = contest.lastDay;
        if (first.empty() && last.empty()) {
            Statement flown(db, "SELECT coalesce(min(c.day), ''), coalesce(max(c.day), '') FROM flight f "
                                "JOIN calculation c ON c.id = f.last_calculation WHERE f.contest = ?1");
            if (flown.bind(1, contest.id).step()) {
                first = flown.text(0);
                last = flown.text(1);
            }
        }
        contest.name = nameAfterDays(first, last);
    }
    return season;
}

} // namespace

template <class Connection>
std::vector<SeasonContest> readSeason(const Connection &db)
{
    return contestsOf(db, true);
}

template <class Connection>
std::optional<std::int64_t> contestNamed(const Connection &db, std::string_view name)
{
    for (const SeasonContest &contest : contestsOf(db, false))
        if (contest::sameName(contest.name, std::string(name)))
            return contest.id;
    return std::nullopt;
}

template std::int64_t currentContest(const Database &);
template std::int64_t currentContest(const ReadOnlyDatabase &);
template std::vector<SeasonContest> readSeason(const Database &);
template std::vector<SeasonContest> readSeason(const ReadOnlyDatabase &);
template std::optional<std::int64_t> contestNamed(const Database &, std::string_view);
template std::optional<std::int64_t> contestNamed(const ReadOnlyDatabase &, std::string_view);

void makeCurrent(const Database &db, std::int64_t contest)
{
    Statement known(db, "SELECT 1 FROM contest WHERE id = ?1");
    if (!known.bind(1, contest).step())
        throw EntryRefused("That contest is not in this journal.");
    execute(db, "UPDATE contest SET is_current = 0 WHERE is_current = 1");
    Statement(db, "UPDATE contest SET is_current = 1 WHERE id = ?1").bind(1, contest).run();
}

std::int64_t startContest(const Database &db, const NewContest &contest)
{
    const std::string name = contest::tidyName(contest.name);
    if (name.empty())
        throw EntryRefused("A new contest needs a name.");
    for (const SeasonContest &other : contestsOf(db, false))
        if (contest::sameName(other.name, name))
            throw EntryRefused("There is a contest named " + other.name + " in this journal already; choose it in "
                               "the list of contests, or give the new one another name.");
    contest::ContestSettings days;
    days.name = name;
    days.firstDay = contest.firstDay;
    days.lastDay = contest.lastDay;
    if (const std::optional<std::string> refusal = contest::refusalOf(days))
        throw EntryRefused(*refusal);
    const std::int64_t from = currentContest(db);
    Statement(db, "INSERT INTO contest (uuid, name, first_day, last_day) VALUES (" ORLO_NEW_UUID ", ?1, ?2, ?3)")
        .bind(1, name)
        .bind(2, contest.firstDay)
        .bind(3, contest.lastDay)
        .run();
    const std::int64_t started = db.lastInsertedRow();
    if (contest.copyEntries)
        Statement(db, "INSERT INTO entry (name, compared_name, number, classes, contest) "
                      "SELECT name, compared_name, number, classes, ?1 FROM entry WHERE contest = ?2 ORDER BY id")
            .bind(1, started)
            .bind(2, from)
            .run();
    makeCurrent(db, started);
    // The contest a fresh journal starts with, never named nor used, is
    // replaced by the one started rather than kept beside it as a blank row.
    Statement(db, "DELETE FROM contest WHERE id = ?1 AND name = '' AND first_day = '' AND last_day = '' "
                  "AND NOT EXISTS (SELECT 1 FROM flight WHERE contest = ?1) "
                  "AND NOT EXISTS (SELECT 1 FROM entry WHERE contest = ?1) "
                  "AND NOT EXISTS (SELECT 1 FROM class_rule WHERE contest = ?1) "
                  "AND NOT EXISTS (SELECT 1 FROM combination WHERE contest = ?1) "
                  "AND NOT EXISTS (SELECT 1 FROM class_change WHERE contest = ?1)")
        .bind(1, from)
        .run();
    return started;
}
} // namespace orlo::journal
