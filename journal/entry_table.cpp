#include "entry_table.h"

#include "contest_tables.h"
#include "contestant_names.h"
#include "database.h"
#include "sqlite_library.h"

namespace orlo::journal {

using contest::tidyName;
using contest::comparedName;

namespace {

std::string nameOf(const Database &db, std::int64_t entry)
{
    Statement query(db, "SELECT name FROM entry WHERE id = ?1");
    query.bind(1, entry);
    if (!query.step())
        throw EntryRefused("That entry is no longer on the list.");
    return query.text(0);
}

// The contest an entry is on.
std::int64_t contestOf(const Database &db, std::int64_t entry)
{
    Statement query(db, "SELECT contest FROM entry WHERE id = ?1");
    query.bind(1, entry);
    if (!query.step())
        throw EntryRefused("That entry is no longer on the list.");
    return query.integer(0);
}

// The number, tidied, unless another entry of the contest has it.
std::string freeNumber(const Database &db, std::int64_t contest, std::string_view typed, std::int64_t entry)
{
    const std::string number = tidyName(typed);
    if (number.empty())
        return number;
    // "number <> ''" lets SQLite look the number up in the index of numbers given.
    Statement query(db, "SELECT name FROM entry WHERE contest = ?3 AND number = ?1 AND number <> '' AND id <> ?2");
    query.bind(1, number).bind(2, entry).bind(3, contest);
    if (query.step())
        throw EntryRefused("Number " + number + " is already " + query.text(0) + "'s; each number belongs to one entry.");
    return number;
}

// The name, tidied, unless it is empty or another entry of the contest has it.
std::string freeName(const Database &db, std::int64_t contest, std::string_view typed, std::int64_t entry)
{
    const std::string name = tidyName(typed);
    if (name.empty())
        throw EntryRefused("An entry needs a name.");
    if (const auto other = entryNamed(db, contest, name); other && *other != entry)
        throw EntryRefused(nameOf(db, *other) + " is already on the list; to make the two one entry, merge them.");
    return name;
}

} // namespace

std::string joinClasses(const std::vector<std::string> &classes)
{
    std::string joined;
    for (const std::string &typed : classes) {
        const std::string tidy = tidyName(typed);
        if (tidy.empty() || ("\n" + joined + "\n").find("\n" + tidy + "\n") != std::string::npos)
            continue;
        joined += (joined.empty() ? "" : "\n") + tidy;
    }
    return joined;
}

std::optional<std::int64_t> entryNamed(const Database &db, std::int64_t contest, std::string_view name)
{
    Statement query(db, "SELECT id FROM entry WHERE contest = ?2 AND compared_name = ?1");
    query.bind(1, comparedName(name)).bind(2, contest);
    if (!query.step())
        return std::nullopt;
    return query.integer(0);
}

std::int64_t insertEntry(const Database &db, std::int64_t contest, const contest::NewEntry &entry)
{
    const std::string name = freeName(db, contest, entry.name, 0);
    Statement(db, "INSERT INTO entry (name, compared_name, number, classes, contest) VALUES (?1, ?2, ?3, ?4, ?5)")
        .bind(1, name)
        .bind(2, comparedName(name))
        .bind(3, freeNumber(db, contest, entry.number, 0))
        .bind(4, joinClasses(entry.classes))
        .bind(5, contest)
        .run();
    return db.lastInsertedRow();
}

void keepChange(const Database &db, std::int64_t flight, const std::string &changedAt, std::string_view what,
                std::string_view before, std::string_view after, std::string_view reason)
{
    Statement(db, "INSERT INTO flight_change (flight, changed_at, what, before, after, reason) "
                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .bind(1, flight)
        .bind(2, changedAt)
        .bind(3, what)
        .bind(4, before)
        .bind(5, after)
        .bind(6, tidyName(reason))
        .run();
}

bool nameContestant(const Database &db, std::int64_t flight, std::string_view typed, const std::string &changedAt)
{
    Statement current(db, "SELECT coalesce(e.name, ''), f.contest FROM flight f LEFT JOIN entry e ON e.id = f.entry "
                          "WHERE f.id = ?1");
    current.bind(1, flight);
    if (!current.step())
        return false;
    const std::string before = current.text(0);
    const std::int64_t contest = current.integer(1);
    const std::string name = tidyName(typed);
    std::optional<std::int64_t> entry;
    if (!name.empty())
        entry = entryNamed(db, contest, name).value_or(0);
    if (entry == 0)
        entry = insertEntry(db, contest, {name, {}, {}});
    Statement update(db, "UPDATE flight SET contestant = ?1, entry = ?2 WHERE id = ?3");
    update.bind(1, typed).bind(3, flight);
    if (entry)
        update.bind(2, *entry);
    update.run();
    const std::string after = entry ? nameOf(db, *entry) : std::string();
    if (after != before)
        keepChange(db, flight, changedAt, "contestant", before, after, "");
    return true;
}

void renameEntry(const Database &db, std::int64_t entry, std::string_view name)
{
    nameOf(db, entry);
    const std::string tidy = freeName(db, contestOf(db, entry), name, entry);
    Statement(db, "UPDATE entry SET name = ?1, compared_name = ?2 WHERE id = ?3")
        .bind(1, tidy)
        .bind(2, comparedName(tidy))
        .bind(3, entry)
        .run();
}

void numberEntry(const Database &db, std::int64_t entry, std::string_view number)
{
    nameOf(db, entry);
    Statement(db, "UPDATE entry SET number = ?1 WHERE id = ?2")
        .bind(1, freeNumber(db, contestOf(db, entry), number, entry))
        .bind(2, entry)
        .run();
}

void classifyEntry(const Database &db, std::int64_t entry, const std::vector<std::string> &classes)
{
    nameOf(db, entry);
    Statement(db, "UPDATE entry SET classes = ?1 WHERE id = ?2")
        .bind(1, joinClasses(classes))
        .bind(2, entry)
        .run();
}

void mergeEntries(const Database &db, std::int64_t from, std::int64_t into, const ChangeTime &now)
{
    const std::string fromName = nameOf(db, from);
    const std::string intoName = nameOf(db, into);
    if (from == into)
        throw EntryRefused(fromName + " cannot be merged into itself.");
    if (contestOf(db, from) != contestOf(db, into))
        throw EntryRefused(fromName + " and " + intoName + " are entries of two contests; each contest keeps its own.");
    const std::string changedAt = now();
    Statement flights(db, "SELECT id FROM flight WHERE entry = ?1 ORDER BY id");
    flights.bind(1, from);
    while (flights.step())
        keepChange(db, flights.integer(0), changedAt, "contestant", fromName, intoName,
                   fromName + " merged into " + intoName);
    Statement(db, "UPDATE flight SET entry = ?1 WHERE entry = ?2").bind(1, into).bind(2, from).run();
    // The entry kept takes the classes and, lacking one, the number of the one merged.
    Statement taken(db, "SELECT number, classes FROM entry WHERE id = ?1");
    taken.bind(1, from);
    taken.step();
    const std::string number = taken.text(0);
    std::vector<std::string> classes = linesOf(taken.text(1));
    Statement(db, "DELETE FROM entry WHERE id = ?1").bind(1, from).run();
    Statement kept(db, "SELECT number, classes FROM entry WHERE id = ?1");
    kept.bind(1, into);
    kept.step();
    std::vector<std::string> all = linesOf(kept.text(1));
    all.insert(all.end(), classes.begin(), classes.end());
    Statement(db, "UPDATE entry SET number = ?1, classes = ?2 WHERE id = ?3")
        .bind(1, kept.text(0).empty() ? number : kept.text(0))
        .bind(2, joinClasses(all))
        .bind(3, into)
        .run();
}

void removeEntry(const Database &db, std::int64_t entry)
{
    const std::string name = nameOf(db, entry);
    Statement flights(db, "SELECT count(*) FROM flight WHERE entry = ?1");
    flights.bind(1, entry);
    if (flights.step() && flights.integer(0) > 0)
        throw EntryRefused(name + " has flights and stays on the list; rename the entry or merge it into another.");
    Statement(db, "DELETE FROM entry WHERE id = ?1").bind(1, entry).run();
}

} // namespace orlo::journal
