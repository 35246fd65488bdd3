#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orlo {

// Which columns of a registration file give an entry: the name from one
// column, or from a first-name and a last-name column; the number and the
// classes from a column each, or from none. Columns count from 0.
struct RegistrationColumns {
    std::optional<std::size_t> name;
    std::optional<std::size_t> firstName;
    std::optional<std::size_t> lastName;
    std::optional<std::size_t> number;
    std::optional<std::size_t> classes;

    bool namesSomeone() const { return name || (firstName && lastName); }
    friend bool operator==(const RegistrationColumns &, const RegistrationColumns &) = default;
};

// The columns a header row names by the headings registration sites and
// spreadsheets write, in any case: Name, Pilot or Contestant, else First
// Name with Last Name; Number, No., AMA, AMA #, AMA Number, Licence, License
// or Contest number; Classes, Class, Events or Event. The first heading of
// each kind counts.
RegistrationColumns columnsNamed(const std::vector<std::string> &header);

// The headings looked for, as a refused header's message lists them.
std::string headingsLookedFor();

// What an import took from which column, and the columns it left out:
// "Names from Name, no numbers, no classes. Klassen, Verein, Startnummer were not imported."
std::string columnsUsedSaid(const std::vector<std::string> &header, const RegistrationColumns &columns);

} // namespace orlo
