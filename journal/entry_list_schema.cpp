#include "contestant_names.h"
#include "database.h"
#include "journal_steps.h"
#include "sqlite_library.h"

#include <cstdint>
#include <map>
#include <vector>

namespace orlo::journal {

using contest::tidyName;
using contest::comparedName;

void addEntryList(const Database &db)
{
    // An entry's compared name finds it whatever case and blanks are typed;
    // a number, when given, belongs to one entry. Classes are kept one a
    // line. A flight is official unless marked otherwise; every change of a
    // flight's status or contestant is kept in flight_change, never erased.
    execute(db, R"sql(
CREATE TABLE entry (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    compared_name TEXT NOT NULL,
    number TEXT NOT NULL DEFAULT '',
    classes TEXT NOT NULL DEFAULT ''
);
CREATE INDEX entry_by_name ON entry(compared_name);
CREATE UNIQUE INDEX entry_by_number ON entry(number) WHERE number <> '';
ALTER TABLE flight ADD COLUMN entry INTEGER REFERENCES entry(id);
ALTER TABLE flight ADD COLUMN uuid TEXT NOT NULL DEFAULT '';
ALTER TABLE flight ADD COLUMN status TEXT NOT NULL DEFAULT 'official';
ALTER TABLE flight ADD COLUMN status_reason TEXT NOT NULL DEFAULT '';
CREATE INDEX flight_of_entry ON flight(entry);
CREATE TABLE flight_change (
    id INTEGER PRIMARY KEY,
    flight INTEGER NOT NULL REFERENCES flight(id),
    changed_at TEXT NOT NULL,
    what TEXT NOT NULL,
    before TEXT NOT NULL,
    after TEXT NOT NULL,
    reason TEXT NOT NULL
);
CREATE INDEX change_of_flight ON flight_change(flight, id);
UPDATE flight SET uuid = )sql" ORLO_NEW_UUID ";");

    // The names typed so far; the oldest flight's spelling, tidied, names the entry.
    struct Typed {
        std::int64_t flight;
        std::string name;
    };
    std::vector<Typed> typed;
    {
        Statement query(db, "SELECT id, contestant FROM flight ORDER BY id");
        while (query.step())
            typed.push_back({query.integer(0), query.text(1)});
    }
    std::map<std::string, std::int64_t> entryOf;
    for (const Typed &flight : typed) {
        const std::string tidy = tidyName(flight.name);
        if (tidy.empty())
            continue;
        const std::string key = comparedName(tidy);
        auto found = entryOf.find(key);
        if (found == entryOf.end()) {
            Statement(db, "INSERT INTO entry (name, compared_name) VALUES (?1, ?2)").bind(1, tidy).bind(2, key).run();
            found = entryOf.emplace(key, db.lastInsertedRow()).first;
        }
        // The name as typed stays on the flight, as it was recorded.
        Statement(db, "UPDATE flight SET entry = ?1 WHERE id = ?2").bind(1, found->second).bind(2, flight.flight).run();
    }
}

} // namespace orlo::journal
