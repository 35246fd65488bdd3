#pragma once

#include "contest_journal.h"
#include "registration_columns.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlo {

// A registration file read: its rows, and what is wrong with it, a sentence
// for each bad row naming its line; the header's headings and the columns
// the rows were read from.
struct Registration {
    std::vector<journal::RegistrationRow> rows;
    std::vector<std::string> problems;
    std::vector<std::string> header;
    RegistrationColumns columns;
};

// Reads a registration file as spreadsheets write CSV: UTF-8 with or without
// a byte-order mark, fields separated by commas or by semicolons (whichever
// the header line holds more of), quoted fields with doubled quotes and line
// breaks inside. The header row names the columns (see columnsNamed), in
// any order; other columns are left out. A classes cell names the program's
// classes (see contest::knownClassesIn); a class of another name refuses
// its row. Blank rows, separators alone included, are skipped.
Registration readRegistration(std::string_view file);
// The same, the entries read from the columns chosen rather than those the
// headings name.
Registration readRegistration(std::string_view file, const RegistrationColumns &chosen);

// The longest line a registration file may hold.
inline constexpr std::size_t longestRegistrationLine = 1024 * 1024;

} // namespace orlo
