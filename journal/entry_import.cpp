#include "entry_import.h"

#include "classes_change.h"
#include "contestant_names.h"
#include "database.h"
#include "entry_table.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

namespace orlo::journal {

using contest::tidyName;
using contest::comparedName;

namespace {

std::string at(int line)
{
    return "line " + std::to_string(line) + ": ";
}

} // namespace

ImportOutcome importRows(const Database &db, std::int64_t contest, const std::vector<RegistrationRow> &rows)
{
    // The file was read and checked before; here each row costs two look-ups
    // through the entry list's indexes and an insert, each statement prepared
    // once, so the write lock is held briefly whatever the list holds.
    ImportOutcome outcome;
    WriteTransaction transaction(db);
    Statement numbered(db, "SELECT name, compared_name, id, classes FROM entry "
                           "WHERE contest = ?2 AND number = ?1 AND number <> ''");
    Statement named(db, "SELECT name, number, id, classes FROM entry WHERE contest = ?2 AND compared_name = ?1");
    Statement flightsIn(db, "SELECT count(*) FROM flight f JOIN calculation c ON c.id = f.last_calculation "
                            "WHERE f.entry = ?1 AND c.class_caption = ?2 AND f.status <> 'void'");
    Statement setClasses(db, "UPDATE entry SET classes = ?1 WHERE id = ?2");
    // A row of an entry listed already brings its classes, if it names any.
    const auto takeClasses = [&](const Statement &listed, const RegistrationRow &row) {
        const std::int64_t entry = listed.integer(2);
        const std::vector<std::string> classes = linesOf(listed.text(3));
        const contest::ClassesChange change = contest::classesChange(
            listed.text(0), classes, row.entry.classes, [&](std::string_view caption) {
                flightsIn.reset().bind(1, entry).bind(2, caption);
                flightsIn.step();
                return int(flightsIn.integer(0));
            });
        if (change.empty())
            return;
        flightsIn.reset();
        setClasses.reset().bind(1, joinClasses(change.classesAfter(classes))).bind(2, entry).run();
        outcome.changed.push_back(contest::classesChangeSaid(change));
    };
    Statement insert(db, "INSERT INTO entry (name, compared_name, number, classes, contest) VALUES (?1, ?2, ?3, ?4, ?5)");
    for (const RegistrationRow &row : rows) {
        const std::string name = tidyName(row.entry.name);
        const std::string compared = comparedName(name);
        const std::string number = tidyName(row.entry.number);
        if (name.empty()) {
            outcome.problems.push_back(at(row.line) + "no name.");
            continue;
        }
        numbered.reset().bind(1, number).bind(2, contest);
        named.reset().bind(1, compared).bind(2, contest);
        if (!number.empty() && numbered.step()) {
            if (numbered.text(1) == compared) {
                ++outcome.alreadyListed;
                takeClasses(numbered, row);
            } else
                outcome.problems.push_back(at(row.line) + "number " + number + " is " + numbered.text(0)
                                           + "'s on the entry list.");
        } else if (named.step()) {
            if (!number.empty() && !named.text(1).empty())
                outcome.problems.push_back(at(row.line) + named.text(0) + " is on the entry list with number "
                                           + named.text(1) + ", not " + number + ".");
            else {
                ++outcome.alreadyListed;
                takeClasses(named, row);
            }
        } else {
            insert.reset()
                .bind(1, name)
                .bind(2, compared)
                .bind(3, number)
                .bind(4, joinClasses(row.entry.classes))
                .bind(5, contest)
                .run();
            ++outcome.added;
        }
    }
    numbered.reset();
    named.reset();
    flightsIn.reset();
    if (!outcome.problems.empty())
        return ImportOutcome{0, 0, outcome.problems, {}};
    transaction.commit();
    return outcome;
}

} // namespace orlo::journal
