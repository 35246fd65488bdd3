#pragma once

#include "contest_journal.h"
#include "registration_columns.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo {

// A classes cell that lists none of the program's classes but names an
// event, as a registration site's per-event export writes one row per pilot
// per event: the event as written, the class its rows are read as (none
// when its name holds no one class and none was chosen; empty when the
// director chose that its rows add no class), whether the director chose
// it, and the lines naming it.
struct RegistrationEvent {
    std::string event;
    std::optional<std::string> caption;
    bool chosen = false;
    std::vector<int> lines;
};

// The class the director chose for each event, by the event as written;
// an empty class: the event's rows add their pilot with no class.
using EventClasses = std::map<std::string, std::string>;

// A registration file read: its rows, and what is wrong with it, a sentence
// for each bad row naming its line; the header's headings and the columns
// the rows were read from.
struct Registration {
    std::vector<journal::RegistrationRow> rows;
    std::vector<std::string> problems;
    std::vector<std::string> header;
    RegistrationColumns columns;
    std::vector<RegistrationEvent> events; // in the order first named
};

// Reads a registration file as spreadsheets write CSV: UTF-8 with or without
// a byte-order mark, fields separated by commas or by semicolons (whichever
// the header line holds more of), quoted fields with doubled quotes and line
// breaks inside. The header row names the columns (see columnsNamed), in
// any order; other columns are left out. A classes cell names the program's
// classes (see contest::knownClassesIn); a class of another name refuses
// its row, unless it names an event read as a class (see
// contest::classesInEventName) or one the director chose a class for. Rows
// of one pilot (the same number, else the same compared name) are one
// entry with all their classes: a per-event export lists a pilot once per
// event. Blank rows, separators alone included, are skipped.
Registration readRegistration(std::string_view file);
// The same, the entries read from the columns chosen rather than those the
// headings name, and the events read as the classes chosen.
Registration readRegistration(std::string_view file, const RegistrationColumns &chosen,
                              const EventClasses &eventClasses = {});

// The longest line a registration file may hold.
inline constexpr std::size_t longestRegistrationLine = 1024 * 1024;

} // namespace orlo
