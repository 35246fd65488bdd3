#pragma once

#include "contest_journal.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlo {

// A registration file read: its rows, or what is wrong with it, a sentence
// for each bad row naming its line.
struct Registration {
    std::vector<journal::RegistrationRow> rows;
    std::vector<std::string> problems;
};

// Reads a registration file as spreadsheets write CSV: UTF-8 with or without
// a byte-order mark, fields separated by commas or by semicolons (whichever
// the header line holds more of), quoted fields with doubled quotes and line
// breaks inside. The header row names the columns: Name, and optionally
// Number and Classes, in any order and any case; other columns are left
// out. Classes are separated by "/" or "|" within their cell. Blank rows,
// separators alone included, are skipped.
Registration readRegistration(std::string_view file);

// The longest line a registration file may hold.
inline constexpr std::size_t longestRegistrationLine = 1024 * 1024;

} // namespace orlo
