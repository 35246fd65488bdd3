#include "merge_classes.h"

#include "contest_tables.h"
#include "contest_words.h"
#include "contestant_names.h"
#include "database.h"
#include "journal_merge.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orlo::journal {

namespace {

// A class's closings and reopenings, each as its time and what was done
// ("final" or "reopened"), oldest first.
using Trail = std::vector<std::pair<std::string, std::string>>;

Trail trailOf(Statement &query, std::int64_t contest, const std::string &caption)
{
    Trail trail;
    query.reset().bind(1, contest).bind(2, caption);
    while (query.step())
        trail.emplace_back(query.text(0), query.text(1));
    return trail;
}

void keepTrail(const Database &here, std::int64_t contest, const std::string &caption, const Trail &rows)
{
    Statement insert(here, "INSERT INTO class_change (contest, caption, changed_at, what) VALUES (?1, ?2, ?3, ?4)");
    for (const auto &[at, what] : rows)
        insert.reset().bind(1, contest).bind(2, caption).bind(3, at).bind(4, what).run();
}

// Whether a class is final, and since when.
struct Closing {
    bool final = false;
    std::string at;
    friend bool operator==(const Closing &, const Closing &) = default;
};

std::string shown(const Closing &closing)
{
    return closing.final ? "final, closed " + contest::shownMoment(closing.at) : std::string("open");
}

// Told when a class's closing or reopening is taken from the other table.
std::string taken(const std::string &caption, const std::string &contestName, const Closing &theirs)
{
    return caption + " in " + contestName + " was "
        + (theirs.final ? "closed as final in the other table, at " + contest::shownMoment(theirs.at)
                              + "; it is final here too."
                        : std::string("reopened in the other table; it is open here too."));
}

enum class ChangedIn { ThisTable, OtherTable, Both };

// Which table closed or reopened the class since the two last agreed.
ChangedIn changedIn(const Trail &mine, const Trail &theirs, const Closing &ours, const Closing &other)
{
    const bool here = !missingFrom(mine, theirs).empty(), there = !missingFrom(theirs, mine).empty();
    if (here != there)
        return here ? ChangedIn::ThisTable : ChangedIn::OtherTable;
    if (here || (ours.final && other.final))
        return ChangedIn::Both;
    // No trail tells (a class closed before journals kept one): the table
    // that closed it did.
    return other.final ? ChangedIn::OtherTable : ChangedIn::ThisTable;
}

// A combination's classes in one order, to compare two tables' by.
std::vector<std::string> classSet(const std::string &joined)
{
    std::vector<std::string> classes = linesOf(joined);
    std::sort(classes.begin(), classes.end());
    return classes;
}

} // namespace

void mergeCombinations(const Database &here, const Database &other, std::int64_t from, std::int64_t into,
                       const std::string &contestName, MergeReport &report)
{
    const char *sql = "SELECT name, classes FROM combination WHERE contest = ?1 ORDER BY id";
    std::vector<std::pair<std::string, std::string>> mine;
    Statement ours(here, sql);
    ours.bind(1, into);
    while (ours.step())
        mine.emplace_back(ours.text(0), ours.text(1));
    Statement theirs(other, sql);
    theirs.bind(1, from);
    while (theirs.step()) {
        const std::string name = theirs.text(0), classes = theirs.text(1);
        const auto named = std::find_if(mine.begin(), mine.end(),
                                        [&](const auto &combination) { return contest::sameName(combination.first, name); });
        const auto alike = std::find_if(mine.begin(), mine.end(), [&](const auto &combination) {
            return classSet(combination.second) == classSet(classes);
        });
        if (named != mine.end() && classSet(named->second) != classSet(classes)) {
            report.conflicts.push_back("The combination " + named->first + " in " + contestName
                                       + " combines other classes in the two tables; this table's is kept.");
        } else if (named == mine.end() && alike != mine.end()) {
            report.conflicts.push_back("The combination " + alike->first + " in " + contestName + " is named " + name
                                       + " in the other table; this table's name is kept.");
        } else if (named == mine.end()) {
            Statement(here, "INSERT INTO combination (name, classes, contest) VALUES (?1, ?2, ?3)")
                .bind(1, name)
                .bind(2, classes)
                .bind(3, into)
                .run();
            mine.emplace_back(name, classes);
        }
    }
}

void mergeClasses(const Database &here, const Database &other, std::int64_t from, std::int64_t into,
                  const std::string &contestName, MergeReport &report)
{
    const std::string columns = "caption, position, counting, counted, official_flights, ties, final, final_at";
    Statement rules(other, "SELECT " + columns + " FROM class_rule WHERE contest = ?1");
    rules.bind(1, from);
    Statement mine(here, "SELECT " + columns + " FROM class_rule WHERE contest = ?1 AND caption = ?2");
    const char *trailSql = "SELECT changed_at, what FROM class_change WHERE contest = ?1 AND caption = ?2 ORDER BY id";
    Statement theirTrail(other, trailSql), myTrail(here, trailSql);
    while (rules.step()) {
        const std::string caption = rules.text(0);
        const Trail theirRows = trailOf(theirTrail, from, caption);
        if (!mine.reset().bind(1, into).bind(2, caption).step()) {
            Statement insert(here, "INSERT INTO class_rule (" + columns
                                       + ", contest) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
            for (int column = 0; column < 8; ++column)
                insert.bind(column + 1, rules.text(column));
            insert.bind(9, into).run();
            keepTrail(here, into, caption, theirRows);
            if (rules.integer(6) != 0)
                report.notes.push_back(taken(caption, contestName, {true, rules.text(7)}));
            continue;
        }
        for (int column = 2; column < 6; ++column) // counting to ties: the rule without its closing
            if (mine.text(column) != rules.text(column)) {
                report.conflicts.push_back("The rule of " + caption + " in " + contestName
                                           + " differs between the two tables; this table's is kept.");
                break;
            }
        const Trail myRows = trailOf(myTrail, into, caption);
        const Closing ours{mine.integer(6) != 0, mine.text(7)}, theirs{rules.integer(6) != 0, rules.text(7)};
        if (ours == theirs) {
            // Alike as it stands: each closing and reopening of either table is kept, once.
            keepTrail(here, into, caption, missingFrom(theirRows, myRows));
            continue;
        }
        switch (changedIn(myRows, theirRows, ours, theirs)) {
        case ChangedIn::ThisTable:
            break;
        case ChangedIn::OtherTable:
            Statement(here, "UPDATE class_rule SET final = ?1, final_at = ?2 WHERE contest = ?3 AND caption = ?4")
                .bind(1, std::int64_t(theirs.final))
                .bind(2, theirs.at)
                .bind(3, into)
                .bind(4, caption)
                .run();
            keepTrail(here, into, caption, missingFrom(theirRows, myRows));
            report.notes.push_back(taken(caption, contestName, theirs));
            break;
        case ChangedIn::Both:
            report.conflicts.push_back(caption + " in " + contestName
                                       + " was closed and reopened differently in the two tables (in this table "
                                       + shown(ours) + "; in the other " + shown(theirs)
                                       + "); it stays as this table has it.");
            break;
        }
    }
}

} // namespace orlo::journal
