#include "entry_import.h"

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
    Statement numbered(db, "SELECT name, compared_name FROM entry WHERE contest = ?2 AND number = ?1 AND number <> ''");
    Statement named(db, "SELECT name, number FROM entry WHERE contest = ?2 AND compared_name = ?1");
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
            if (numbered.text(1) == compared)
                ++outcome.alreadyListed;
            else
                outcome.problems.push_back(at(row.line) + "number " + number + " is " + numbered.text(0)
                                           + "'s on the entry list.");
        } else if (named.step()) {
            if (!number.empty() && !named.text(1).empty())
                outcome.problems.push_back(at(row.line) + named.text(0) + " is on the entry list with number "
                                           + named.text(1) + ", not " + number + ".");
            else
                ++outcome.alreadyListed;
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
    if (!outcome.problems.empty())
        return ImportOutcome{0, 0, outcome.problems};
    transaction.commit();
    return outcome;
}

} // namespace orlo::journal
