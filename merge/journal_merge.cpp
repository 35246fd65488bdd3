#include "journal_merge.h"

#include "contest_tables.h"
#include "contest_words.h"
#include "final_class.h"
#include "database.h"
#include "journal_columns.h"
#include "journal_connection.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "merge_classes.h"
#include "merge_contests.h"
#include "merge_order.h"
#include "merge_source.h"
#include "series_store.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

namespace orlo::journal {

namespace fs = std::filesystem;

namespace {

// A flight's trail or calculations, each row as its texts, for comparing
// what one table holds with what the other does.
using Rows = std::vector<std::vector<std::string>>;

// A calculation's columns as the merge reads them, and a change's.
constexpr int calculationRowColumns = calculationColumnCount + 1;
constexpr int changeRowColumns = 5;

Rows rowsOf(Statement &query, std::int64_t flight, int columns)
{
    Rows rows;
    query.reset().bind(1, flight);
    while (query.step()) {
        std::vector<std::string> &row = rows.emplace_back();
        for (int column = 0; column < columns; ++column)
            row.push_back(query.text(column));
    }
    return rows;
}

std::string insertSql(const std::string &table, const std::string &columns, int count)
{
    std::string sql = "INSERT INTO " + table + " (flight, " + columns + ") VALUES (?1";
    for (int column = 0; column < count; ++column)
        sql += ", ?" + std::to_string(column + 2);
    return sql + ")";
}

class Merge {
public:
    Merge(const Database &here, const Database &other)
        : m_here(here), m_other(other),
          m_insertCalculation(here, insertSql("calculation", calculationColumns() + ", day", calculationRowColumns)),
          m_insertChange(here, insertSql("flight_change", "changed_at, what, before, after, reason", changeRowColumns)),
          m_insertFlight(here, "INSERT INTO flight (uuid, contest, entry, contestant, status, status_reason) "
                               "VALUES (?1, ?2, nullif(?3, 0), ?4, ?5, ?6)"),
          m_lastCalculation(here, "UPDATE flight SET last_calculation = (SELECT max(id) FROM calculation WHERE "
                                  "flight = ?1), calculation_count = (SELECT count(*) FROM calculation WHERE "
                                  "flight = ?1), flown_at = coalesce((SELECT " + momentSql("recorded_at")
                                  + " FROM calculation WHERE flight = ?1 ORDER BY id LIMIT 1), 0) WHERE id = ?1")
    {
    }
    void contests();
    void entries();
    void flights();
    void order() { mergeFlightOrder(m_here, m_other, m_contests, m_entries, report); }
    MergeReport report;

private:
    std::map<std::string, std::string> finalClasses(std::int64_t contest) const;
    bool nothingIn(const SeasonContest &contest) const;
    void toldIfFinal(const Statement &flight, std::int64_t added, const Rows &calculations, std::int64_t contest);
    std::int64_t addFlight(const Statement &flight, std::int64_t contest);
    void insertRows(Statement &insert, const Rows &rows, std::int64_t into);
    void takeChange(std::int64_t from, std::int64_t into, const Rows &calculations, const Rows &changes);
    std::optional<std::int64_t> entryHere(std::int64_t otherEntry) const
    {
        const auto found = m_entries.find(otherEntry);
        return found == m_entries.end() ? std::nullopt : std::optional(found->second);
    }

    const Database &m_here;
    const Database &m_other;
    std::map<std::int64_t, std::int64_t> m_contests; // the other's id → this journal's
    std::map<std::int64_t, std::int64_t> m_entries;
    // This table's final classes the merge leaves closed as they were:
    // (contest, caption) → closed at.
    std::map<std::pair<std::int64_t, std::string>, std::string> m_closedHere;
    std::map<std::int64_t, std::string> m_names; // of this journal's contests
    // Prepared once for the thousands of flights a table brings.
    Statement m_insertCalculation, m_insertChange, m_insertFlight, m_lastCalculation;
};

void Merge::contests()
{
    const std::vector<SeasonContest> here = readSeason(m_here);
    for (const SeasonContest &contest : readSeason(m_other)) {
        if (nothingIn(contest))
            continue;
        const SeasonContest *same = sameContest(here, contest, report);
        const std::string name = same ? same->name : nameAdded(here, contest, report);
        if (same) {
            m_contests[contest.id] = same->id;
            ++report.contestsThere;
        } else {
            Statement(m_here, "INSERT INTO contest (uuid, name, first_day, last_day) VALUES (?1, ?2, ?3, ?4)")
                .bind(1, contest.uuid)
                .bind(2, name)
                .bind(3, contest.firstDay)
                .bind(4, contest.lastDay)
                .run();
            m_contests[contest.id] = m_here.lastInsertedRow();
            ++report.contestsAdded;
        }
        const std::int64_t into = m_contests[contest.id];
        m_names[into] = name;
        const std::map<std::string, std::string> closed = finalClasses(into);
        mergeClasses(m_here, m_other, contest.id, into, m_names[into], report);
        mergeCombinations(m_here, m_other, contest.id, into, m_names[into], report);
        for (const auto &[caption, at] : finalClasses(into))
            if (const auto before = closed.find(caption); before != closed.end() && before->second == at)
                m_closedHere[{into, caption}] = at;
    }
}

// A contest never named nor given days, with no flight, entry, rule or
// combination: the one a fresh journal starts with, left as it was when
// another was started. It would arrive as a blank row in the list of contests.
bool Merge::nothingIn(const SeasonContest &contest) const
{
    if (!contest.name.empty() || !contest.firstDay.empty() || !contest.lastDay.empty() || contest.flights != 0)
        return false;
    Statement used(m_other, "SELECT EXISTS (SELECT 1 FROM entry WHERE contest = ?1) OR EXISTS (SELECT 1 FROM class_rule "
                            "WHERE contest = ?1) OR EXISTS (SELECT 1 FROM combination WHERE contest = ?1)");
    return used.bind(1, contest.id).step() && used.integer(0) == 0;
}

std::map<std::string, std::string> Merge::finalClasses(std::int64_t contest) const
{
    std::map<std::string, std::string> closed;
    Statement finals(m_here, "SELECT caption, final_at FROM class_rule WHERE contest = ?1 AND final <> 0");
    finals.bind(1, contest);
    while (finals.step())
        closed[finals.text(0)] = finals.text(1);
    return closed;
}

// A flight new to this table in a class it had closed as final: flown before
// the closing, it counts and the final results change; recorded after, it
// waits as any such flight does. Either way the director is told.
void Merge::toldIfFinal(const Statement &flight, std::int64_t added, const Rows &calculations, std::int64_t contest)
{
    if (calculations.empty() || flight.text(5) != "official")
        return;
    const std::string &recordedAt = calculations.back()[0], &caption = calculations.back()[1];
    const auto closed = m_closedHere.find({contest, caption});
    if (closed == m_closedHere.end())
        return;
    const std::string &contestName = m_names[contest];
    Statement named(m_here, "SELECT coalesce((SELECT name FROM entry WHERE id = flight.entry), contestant) "
                            "FROM flight WHERE id = ?1");
    const std::string name = named.bind(1, added).step() ? named.text(0) : std::string();
    report.notes.push_back(
        "The flight of " + (name.empty() ? std::string("nobody named") : name) + " recorded "
        + contest::shownMoment(recordedAt) + " arrives in " + caption
        + (contestName.empty() ? "" : " in " + contestName)
        + ", which this table closed as final at " + contest::shownMoment(closed->second)
        + (contest::recordedAfterClosing(recordedAt, closed->second)
               ? "; it was recorded after the closing and waits until the class is reopened."
               : "; it was flown before the closing and counts, so the class's final results change."));
}

void Merge::entries()
{
    Statement entries(m_other, "SELECT id, name, compared_name, number, classes, contest, (SELECT count(*) FROM "
                               "flight f WHERE f.entry = entry.id AND f.last_calculation IS NOT NULL) "
                               "FROM entry ORDER BY id");
    Statement numbered(m_here, "SELECT id, compared_name, name FROM entry WHERE contest = ?1 AND number = ?2");
    Statement named(m_here, "SELECT id, number FROM entry WHERE contest = ?1 AND compared_name = ?2");
    while (entries.step()) {
        const std::int64_t contest = m_contests.at(entries.integer(5));
        const std::string name = entries.text(1), compared = entries.text(2);
        const int flights = static_cast<int>(entries.integer(6));
        const std::string flown = std::to_string(flights) + (flights == 1 ? " flight" : " flights");
        std::string number = entries.text(3), numberTaken, holder;
        if (!number.empty() && numbered.reset().bind(1, contest).bind(2, number).step()) {
            if (numbered.text(1) == compared) {
                m_entries[entries.integer(0)] = numbered.integer(0);
                ++report.entriesThere;
                continue;
            }
            // The entry arrives without the number, its flights with it: none
            // is scored for the number's holder here.
            holder = numbered.text(2);
            numberTaken = "Number " + number + " is " + holder + "'s in this table and " + name
                + "'s in the other; it stays " + holder + "'s, and ";
            number.clear();
        }
        if (named.reset().bind(1, contest).bind(2, compared).step()) {
            m_entries[entries.integer(0)] = named.integer(0);
            ++report.entriesThere;
            if (!numberTaken.empty())
                report.conflicts.push_back(
                    numberTaken + name + "'s " + flown + (flights == 1 ? " arrives" : " arrive") + " under " + name
                    + "'s entry here, " + (named.text(1).empty() ? "without a number." : "number " + named.text(1) + "."));
            else if (named.text(1).empty() && !number.empty())
                Statement(m_here, "UPDATE entry SET number = ?1 WHERE id = ?2").bind(1, number).bind(2, named.integer(0)).run();
            else if (!number.empty() && named.text(1) != number)
                report.conflicts.push_back(name + " is number " + named.text(1) + " in this table and number " + number
                                           + " in the other; number " + named.text(1) + " is kept.");
            continue;
        }
        Statement(m_here, "INSERT INTO entry (name, compared_name, number, classes, contest) VALUES (?1, ?2, ?3, ?4, ?5)")
            .bind(1, name)
            .bind(2, compared)
            .bind(3, number)
            .bind(4, entries.text(4))
            .bind(5, contest)
            .run();
        m_entries[entries.integer(0)] = m_here.lastInsertedRow();
        ++report.entriesAdded;
        if (!numberTaken.empty())
            report.conflicts.push_back(numberTaken + name + " is entered here without a number, with " + flown
                                       + ": in the entry list, give " + name + " a number, or merge the entry into "
                                       + holder + "'s if they are one contestant.");
    }
}

void Merge::flights()
{
    const std::string calculationsSql = "SELECT " + calculationColumns() + ", day FROM calculation WHERE flight = ?1 ORDER BY id";
    const char *changesSql = "SELECT changed_at, what, before, after, reason FROM flight_change WHERE flight = ?1 ORDER BY id";
    Statement theirCalculations(m_other, calculationsSql), myCalculations(m_here, calculationsSql);
    Statement theirChanges(m_other, changesSql), myChanges(m_here, changesSql);
    Statement flights(m_other, "SELECT id, uuid, contest, coalesce(entry, 0), contestant, status, status_reason, "
                               "coalesce((SELECT name FROM entry WHERE id = flight.entry), contestant) "
                               "FROM flight WHERE last_calculation IS NOT NULL ORDER BY id");
    Statement known(m_here, "SELECT id FROM flight WHERE uuid = ?1");
    while (flights.step()) {
        if (!known.reset().bind(1, flights.text(1)).step()) {
            const std::int64_t contest = m_contests.at(flights.integer(2));
            const std::int64_t added = addFlight(flights, contest);
            const Rows calculations = rowsOf(theirCalculations, flights.integer(0), calculationRowColumns);
            insertRows(m_insertCalculation, calculations, added);
            toldIfFinal(flights, added, calculations, contest);
            insertRows(m_insertChange, rowsOf(theirChanges, flights.integer(0), changeRowColumns), added);
            m_lastCalculation.reset().bind(1, added).run();
            ++report.flightsAdded;
            continue;
        }
        ++report.flightsThere;
        const std::int64_t mine = known.integer(0), theirs = flights.integer(0);
        const Rows theirRecords = rowsOf(theirCalculations, theirs, calculationRowColumns);
        const Rows myRecords = rowsOf(myCalculations, mine, calculationRowColumns);
        const Rows theirTrail = rowsOf(theirChanges, theirs, changeRowColumns);
        const Rows myTrail = rowsOf(myChanges, mine, changeRowColumns);
        const Rows calculations = missingFrom(theirRecords, myRecords);
        const Rows changes = missingFrom(theirTrail, myTrail);
        if (calculations.empty() && changes.empty())
            continue;
        if (!missingFrom(myRecords, theirRecords).empty() || !missingFrom(myTrail, theirTrail).empty()) {
            report.conflicts.push_back("The flight of " + (flights.text(7).empty() ? "nobody named" : flights.text(7))
                                       + " recorded " + contest::shownMoment(theirRecords.front().front())
                                       + " was changed in both tables; it stays as this table has it.");
            continue;
        }
        takeChange(theirs, mine, calculations, changes);
    }
}

std::int64_t Merge::addFlight(const Statement &flight, std::int64_t contest)
{
    Statement &insert = m_insertFlight.reset();
    insert.bind(1, flight.text(1)).bind(2, contest).bind(4, flight.text(4)).bind(5, flight.text(5)).bind(6, flight.text(6));
    // 0: a flight without an entry.
    insert.bind(3, entryHere(flight.integer(3)).value_or(0)).run();
    return m_here.lastInsertedRow();
}

void Merge::insertRows(Statement &insert, const Rows &rows, std::int64_t into)
{
    for (const auto &row : rows) {
        insert.reset().bind(1, into);
        for (std::size_t column = 0; column < row.size(); ++column)
            insert.bind(static_cast<int>(column) + 2, row[column]);
        insert.run();
    }
}

// The other table changed the flight and this one did not: its new
// calculations and trail rows are taken, and its status, contestant and
// contest: a flight moved there to another contest comes with its entry.
void Merge::takeChange(std::int64_t from, std::int64_t into, const Rows &calculations, const Rows &changes)
{
    Statement theirs(m_other, "SELECT coalesce(entry, 0), contestant, status, status_reason, contest FROM flight WHERE id = ?1");
    theirs.bind(1, from).step();
    Statement update(m_here, "UPDATE flight SET entry = ?1, contestant = ?2, status = ?3, status_reason = ?4, "
                             "contest = ?6 WHERE id = ?5");
    update.bind(2, theirs.text(1)).bind(3, theirs.text(2)).bind(4, theirs.text(3)).bind(5, into);
    update.bind(6, m_contests.at(theirs.integer(4)));
    if (const auto entry = entryHere(theirs.integer(0)))
        update.bind(1, *entry);
    update.run();
    insertRows(m_insertCalculation, calculations, into);
    insertRows(m_insertChange, changes, into);
    m_lastCalculation.reset().bind(1, into).run();
    ++report.flightsChanged;
}

} // namespace

MergeReport mergeJournal(const std::string &path, const std::string &otherPath)
{
    if (isJournalFile(otherPath, path))
        throw JournalProblem(JournalAttempt::Merge, otherPath, ProblemKind::OntoItself);
    try {
        std::unique_ptr<PrivateFolder> folder;
        const Database other = openOther(otherPath, folder);
        JournalNotice notice;
        const Database here = openJournal(path, Access::Record, notice);
        here.setBusyTimeout(readingBusyTimeoutMs);
        WriteTransaction transaction(here);
        Merge merge(here, other);
        merge.contests();
        merge.entries();
        merge.order();
        merge.flights();
        for (std::string &note : mergeSeries(here, other))
            merge.report.notes.push_back(std::move(note));
        transaction.commit();
        return merge.report;
    } catch (const JournalProblem &problem) {
        throw JournalProblem(JournalAttempt::Merge, otherPath, problem);
    } catch (const DatabaseError &error) {
        throw JournalProblem(JournalAttempt::Merge, otherPath, ProblemKind::Failed, error.what(),
                             error.kind() == ErrorKind::Busy, error.extendedCode());
    } catch (const fs::filesystem_error &error) {
        throw JournalProblem(JournalAttempt::Merge, otherPath, ProblemKind::Failed, error.code().message());
    }
}

} // namespace orlo::journal
