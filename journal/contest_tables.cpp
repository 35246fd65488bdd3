#include "contest_tables.h"

#include "contest_checks.h"
#include "contestant_names.h"
#include "database.h"
#include "journal_steps.h"
#include "series_store.h"

#include <algorithm>
#include <cctype>

namespace orlo::journal {

namespace {

std::string joinLines(const std::vector<std::string> &lines)
{
    std::string joined;
    for (const std::string &line : lines)
        joined += (joined.empty() ? "" : "\n") + line;
    return joined;
}

// " WHERE contest = 7", or nothing in a journal of one contest alone.
std::string ofContest(std::int64_t contest, const char *joined = " WHERE ")
{
    return contest == 0 ? std::string() : joined + std::string("contest = ") + std::to_string(contest);
}

void insertRule(const Database &db, std::int64_t contest, std::int64_t position, const contest::ClassRule &rule)
{
    Statement(db, "INSERT INTO class_rule (position, caption, counting, counted, official_flights, ties, final, "
                  "final_at, contest) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)")
        .bind(1, position)
        .bind(2, rule.caption)
        .bind(3, rule.counting == contest::Counting::SumOfBest ? "sum-of-best" : "best-flight")
        .bind(4, std::int64_t(rule.counted))
        .bind(5, std::int64_t(rule.officialFlights))
        .bind(6, rule.ties == contest::TieRule::NextBest ? "next-best" : "shared")
        .bind(7, std::int64_t(rule.final))
        .bind(8, rule.finalAt)
        .bind(9, contest)
        .run();
}

} // namespace

std::vector<std::string> linesOf(const std::string &joined)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < joined.size()) {
        const std::size_t end = std::min(joined.find('\n', start), joined.size());
        lines.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void addContestSettings(const Database &db)
{
    // One contest a journal: its name and days in a single row. The class
    // rules keep the director's order; a class without a row is counted by
    // the default rule. A combination's classes are kept one a line.
    execute(db, R"sql(
CREATE TABLE contest (
    id INTEGER PRIMARY KEY CHECK (id = 1),
    name TEXT NOT NULL DEFAULT '',
    first_day TEXT NOT NULL DEFAULT '',
    last_day TEXT NOT NULL DEFAULT ''
);
CREATE TABLE class_rule (
    caption TEXT PRIMARY KEY,
    position INTEGER NOT NULL,
    counting TEXT NOT NULL DEFAULT 'best-flight',
    counted INTEGER NOT NULL DEFAULT 1,
    official_flights INTEGER NOT NULL DEFAULT 2,
    ties TEXT NOT NULL DEFAULT 'shared',
    final INTEGER NOT NULL DEFAULT 0,
    final_at TEXT NOT NULL DEFAULT ''
);
CREATE TABLE combination (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    classes TEXT NOT NULL
);
)sql");
}

template <class Connection>
std::vector<contest::Entry> readEntries(const Connection &db, std::int64_t contest, bool withWithdrawn)
{
    std::vector<contest::Entry> entries;
    Statement query(db, std::string("SELECT e.id, e.name, e.number, e.classes, "
                                    "(SELECT count(*) FROM flight f WHERE f.entry = e.id), ")
                            + (withWithdrawn ? "e.withdrawn" : "0") + " FROM entry e" + ofContest(contest)
                            + " ORDER BY e.compared_name, e.id");
    while (query.step())
        entries.push_back({query.integer(0), query.text(1), query.text(2), linesOf(query.text(3)),
                           static_cast<int>(query.integer(4)), query.integer(5) != 0});
    return entries;
}

template <class Connection>
contest::ContestSettings readContest(const Connection &db, std::int64_t id)
{
    contest::ContestSettings contest;
    Statement named(db, "SELECT name, first_day, last_day FROM contest" + (id == 0 ? "" : " WHERE id = " + std::to_string(id)));
    if (named.step()) {
        contest.name = named.text(0);
        contest.firstDay = named.text(1);
        contest.lastDay = named.text(2);
    }
    Statement rules(db, "SELECT caption, counting, counted, official_flights, ties, final, final_at "
                        "FROM class_rule" + ofContest(id) + " ORDER BY position, caption");
    while (rules.step()) {
        contest::ClassRule &rule = contest.classes.emplace_back();
        rule.caption = rules.text(0);
        rule.counting = rules.text(1) == "sum-of-best" ? contest::Counting::SumOfBest : contest::Counting::BestFlight;
        rule.counted = static_cast<int>(rules.integer(2));
        rule.officialFlights = static_cast<int>(rules.integer(3));
        rule.ties = rules.text(4) == "next-best" ? contest::TieRule::NextBest : contest::TieRule::Shared;
        rule.final = rules.integer(5) != 0;
        rule.finalAt = rules.text(6);
    }
    Statement combinations(db, "SELECT name, classes FROM combination" + ofContest(id) + " ORDER BY id");
    while (combinations.step())
        contest.combinations.push_back({combinations.text(0), linesOf(combinations.text(1))});
    return contest;
}

template std::vector<contest::Entry> readEntries(const Database &, std::int64_t, bool);
template std::vector<contest::Entry> readEntries(const ReadOnlyDatabase &, std::int64_t, bool);
template contest::ContestSettings readContest(const Database &, std::int64_t);
template contest::ContestSettings readContest(const ReadOnlyDatabase &, std::int64_t);

namespace {

// Keeps a class closed, reopened or closed again in the trail of the classes.
void keepClosing(const Database &db, std::int64_t contest, std::string_view caption, bool final,
                 const std::string &at)
{
    Statement(db, "INSERT INTO class_change (contest, caption, changed_at, what) VALUES (?1, ?2, ?3, ?4)")
        .bind(1, contest)
        .bind(2, caption)
        .bind(3, at)
        .bind(4, final ? "final" : "reopened")
        .run();
}

bool isFinal(const contest::ContestSettings &contest, std::string_view caption)
{
    return std::any_of(contest.classes.begin(), contest.classes.end(),
                       [&](const contest::ClassRule &rule) { return rule.caption == caption && rule.final; });
}

} // namespace

void addClassChanges(const Database &db)
{
    // Each closing and reopening of a class, in the order made: a final
    // class's standings can be told apart from those before a reopening.
    execute(db, R"sql(
CREATE TABLE class_change (
    id INTEGER PRIMARY KEY,
    contest INTEGER NOT NULL REFERENCES contest(id),
    caption TEXT NOT NULL,
    changed_at TEXT NOT NULL,
    what TEXT NOT NULL
);
)sql");
}

std::vector<ClassChange> readClassChanges(const ReadOnlyDatabase &db, std::int64_t contest)
{
    std::vector<ClassChange> changes;
    Statement query(db, "SELECT caption, changed_at, what FROM class_change" + ofContest(contest) + " ORDER BY id");
    while (query.step())
        changes.push_back({query.text(0), query.text(1), query.text(2)});
    return changes;
}

void writeContest(const Database &db, std::int64_t id, const contest::ContestSettings &contest, const std::string &at)
{
    if (const std::optional<std::string> refusal = contest::refusalOf(contest))
        throw EntryRefused(*refusal);
    // Two contests of one name could not be told apart on the command line.
    const std::optional<std::int64_t> named = contestNamed(db, contest.name);
    if (!contest::tidyName(contest.name).empty() && named && *named != id)
        throw EntryRefused("There is another contest named " + contest::tidyName(contest.name)
                           + " in this journal; give this one another name.");
    const contest::ContestSettings before = readContest(db, id);
    for (const contest::ClassRule &rule : before.classes)
        if (rule.final && !isFinal(contest, rule.caption))
            keepClosing(db, id, rule.caption, false, at);
    for (const contest::ClassRule &rule : contest.classes)
        if (rule.final && !isFinal(before, rule.caption))
            keepClosing(db, id, rule.caption, true, at);
    execute(db, ("DELETE FROM class_rule" + ofContest(id) + "; DELETE FROM combination" + ofContest(id) + ";").c_str());
    Statement(db, "UPDATE contest SET name = ?1, first_day = ?2, last_day = ?3 WHERE id = ?4")
        .bind(1, contest.name)
        .bind(2, contest.firstDay)
        .bind(3, contest.lastDay)
        .bind(4, id)
        .run();
    std::int64_t position = 0;
    for (const contest::ClassRule &rule : contest.classes)
        insertRule(db, id, ++position, rule);
    for (const contest::Combination &combination : contest.combinations)
        Statement(db, "INSERT INTO combination (name, classes, contest) VALUES (?1, ?2, ?3)")
            .bind(1, combination.name)
            .bind(2, joinLines(combination.classes))
            .bind(3, id)
            .run();
}

void markFinal(const Database &db, std::int64_t contest, std::string_view caption, bool final,
               const std::string &at)
{
    if (isFinal(readContest(db, contest), caption) != final)
        keepClosing(db, contest, caption, final, at);
    Statement update(db, "UPDATE class_rule SET final = ?1, final_at = ?2 WHERE caption = ?3 AND contest = ?4");
    update.bind(1, std::int64_t(final)).bind(2, final ? at : std::string()).bind(3, caption).bind(4, contest).run();
    Statement changed(db, "SELECT changes()");
    if (changed.step() && changed.integer(0) > 0)
        return;
    contest::ClassRule rule;
    rule.caption = caption;
    rule.final = final;
    rule.finalAt = final ? at : std::string();
    Statement last(db, "SELECT coalesce(max(position), 0) FROM class_rule WHERE contest = ?1");
    last.bind(1, contest);
    insertRule(db, contest, last.step() ? last.integer(0) + 1 : 1, rule);
}
} // namespace orlo::journal
