#pragma once

#include "entries.h"
#include "scored_flight.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::contest {

// What a registration file read again changes in the classes of an entry
// listed already: the classes it adds, those it removes, and those it would
// remove that stay because flights of the entry count in them, with how many.
struct ClassesChange {
    std::string name;
    std::vector<std::string> added;
    std::vector<std::string> removed;
    struct Kept {
        std::string caption;
        int flights = 0;
    };
    std::vector<Kept> kept;

    bool empty() const { return added.empty() && removed.empty() && kept.empty(); }
    // The classes the entry has after the change, listed ones first.
    std::vector<std::string> classesAfter(const std::vector<std::string> &listed) const;
};

// The change from the classes listed to those read: a row without classes
// (a file without a classes column, a cell left blank) changes nothing. A
// class is removed only while no flight counts in it (flightsIn gives how
// many of the entry's flights, void ones aside, were scored in a class):
// taking it away would change a ranking already flown.
ClassesChange classesChange(std::string name, const std::vector<std::string> &listed,
                            const std::vector<std::string> &read,
                            const std::function<int(std::string_view caption)> &flightsIn);

// "Lars Eriksen: Profile added, Class I removed; Class II stays, 2 flights count in it"
std::string classesChangeSaid(const ClassesChange &change);

// The changes the entries read make to those listed, each read entry matched
// as an import matches it: by its number when it has one, else by its
// compared name. flights are the contest's, for the classes that stay.
std::vector<ClassesChange> classesChanges(const std::vector<NewEntry> &read, const std::vector<Entry> &listed,
                                          const std::vector<ScoredFlight> &flights);

} // namespace orlo::contest
