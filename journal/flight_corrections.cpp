#include "flight_corrections.h"

#include "contest_tables.h"
#include "contestant_names.h"
#include "database.h"

namespace orlo::journal {

using contest::tidyName;

namespace {

// The contest's name as the list of contests shows it: one never named goes by its days.
std::string contestName(const Database &db, std::int64_t contest)
{
    for (const SeasonContest &each : readSeason(db))
        if (each.id == contest)
            return each.name;
    throw EntryRefused("That contest is not in this journal.");
}

// The entry a flight of the entry from arrives under in the contest: the
// same number, else the same compared name, else the entry added to its
// list as it stands, so the flight keeps its contestant. 0 for none.
std::int64_t arrivingEntry(const Database &db, std::int64_t contest, std::int64_t from)
{
    Statement entry(db, "SELECT name, number, classes FROM entry WHERE id = ?1");
    if (!entry.bind(1, from).step())
        return 0;
    const std::string name = entry.text(0), number = entry.text(1);
    Statement numbered(db, "SELECT id FROM entry WHERE contest = ?1 AND number = ?2 AND number <> ''");
    if (numbered.bind(1, contest).bind(2, number).step())
        return numbered.integer(0);
    if (const std::optional<std::int64_t> named = entryNamed(db, contest, name))
        return *named;
    return insertEntry(db, contest, {name, number, linesOf(entry.text(2))});
}

} // namespace

void setFlightStatus(const Database &db, std::int64_t flight, contest::FlightStatus status, std::string_view reason,
                     const ChangeTime &now)
{
    if (tidyName(reason).empty())
        throw EntryRefused("Give the reason for marking the flight " + contest::statusName(status)
                           + ": it settles a protest later.");
    Statement current(db, "SELECT status FROM flight WHERE id = ?1");
    current.bind(1, flight);
    if (!current.step())
        throw EntryRefused("There is no flight " + std::to_string(flight) + " in the journal.");
    const std::string before = current.text(0);
    if (before == contest::statusName(status))
        throw EntryRefused("Flight " + std::to_string(flight) + " is " + before + " already.");
    Statement(db, "UPDATE flight SET status = ?1, status_reason = ?2 WHERE id = ?3")
        .bind(1, contest::statusName(status))
        .bind(2, tidyName(reason))
        .bind(3, flight)
        .run();
    keepChange(db, flight, now(), "status", before, contest::statusName(status), reason);
}

void moveFlightToEntry(const Database &db, std::int64_t flight, std::int64_t entry, std::string_view reason,
                       const ChangeTime &now)
{
    Statement names(db, "SELECT coalesce((SELECT name FROM entry WHERE id = f.entry), ''), "
                        "(SELECT name FROM entry WHERE id = ?2 AND contest = f.contest), f.entry IS ?2 "
                        "FROM flight f WHERE f.id = ?1");
    names.bind(1, flight).bind(2, entry);
    if (!names.step())
        throw EntryRefused("There is no flight " + std::to_string(flight) + " in the journal.");
    if (names.text(1).empty())
        throw EntryRefused("That entry is no longer on the list.");
    if (names.integer(2))
        throw EntryRefused("Flight " + std::to_string(flight) + " is " + names.text(1) + "'s already.");
    Statement(db, "UPDATE flight SET entry = ?1 WHERE id = ?2").bind(1, entry).bind(2, flight).run();
    keepChange(db, flight, now(), "contestant", names.text(0), names.text(1), reason);
}

void moveFlightToContest(const Database &db, std::int64_t flight, std::int64_t contest, std::string_view reason,
                         const ChangeTime &now)
{
    Statement moved(db, "SELECT f.contest, coalesce(f.entry, 0), coalesce(c.class_caption, ''), "
                        "coalesce((SELECT name FROM entry WHERE id = f.entry), '') "
                        "FROM flight f LEFT JOIN calculation c ON c.id = f.last_calculation WHERE f.id = ?1");
    if (!moved.bind(1, flight).step())
        throw EntryRefused("There is no flight " + std::to_string(flight) + " in the journal.");
    const std::int64_t from = moved.integer(0);
    const std::string caption = moved.text(2), before = contestName(db, from), after = contestName(db, contest);
    if (from == contest)
        throw EntryRefused("Flight " + std::to_string(flight) + " is recorded into " + after + " already.");
    if (tidyName(reason).empty())
        throw EntryRefused("Give the reason for moving the flight to " + after + ": it settles a protest later.");
    Statement closed(db, "SELECT 1 FROM class_rule WHERE contest = ?1 AND caption = ?2 AND final <> 0");
    for (const std::int64_t each : {from, contest})
        if (closed.reset().bind(1, each).bind(2, caption).step())
            throw EntryRefused(caption + " is final in " + (each == from ? before : after)
                               + ": its standings stay as they were closed. Reopen the class there before "
                                 "moving the flight.");
    const std::int64_t entry = arrivingEntry(db, contest, moved.integer(1));
    Statement update(db, "UPDATE flight SET contest = ?1, entry = ?2 WHERE id = ?3");
    update.bind(1, contest).bind(3, flight);
    if (entry != 0)
        update.bind(2, entry);
    update.run();
    keepChange(db, flight, now(), "contest", before, after, reason);
    // Found under another spelling, by number or by the compared name: the trail says whose it now is.
    Statement arrived(db, "SELECT name FROM entry WHERE id = ?1");
    if (arrived.bind(1, entry).step() && arrived.text(0) != moved.text(3))
        keepChange(db, flight, now(), "contestant", moved.text(3), arrived.text(0), reason);
}

} // namespace orlo::journal
