#pragma once

#include "standings.h"

#include <vector>

namespace orlo::contest {

// Ranks one class under its rule: flights are that class's flights that are
// not void and name a contestant; entries is the whole entry list, whose
// contestants entered in the class and without a flight are still to fly.
ClassStandings rankClass(ClassRule rule, const std::vector<Entry> &entries,
                         std::vector<const ScoredFlight *> flights);

// The flights in the order flown, by the moment of each flight's first
// calculation, then as numbered: one scoring table's flights merged into
// another's are numbered after its own, whenever they were flown.
void sortAsFlown(std::vector<const ScoredFlight *> &flights);

} // namespace orlo::contest

namespace orlo::contest {

// The combination's standings from the standings of its classes, in the
// combination's order of classes.
CombinedStandings combine(const Combination &combination,
                          const std::vector<const ClassStandings *> &classes);

} // namespace orlo::contest
