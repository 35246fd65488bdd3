#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orlo::contest {

// A contestant on the entry list. number is free text: a licence or contest number.
struct Entry {
    std::int64_t id = 0;
    std::string name;
    std::string number;
    std::vector<std::string> classes;
    int flights = 0;
    // Withdrawn from the contest: keeps the flights flown, is called for no more.
    bool withdrawn = false;
};

// An entry to be added, as typed or read from a registration file.
struct NewEntry {
    std::string name;
    std::string number;
    std::vector<std::string> classes;
};

} // namespace orlo::contest
