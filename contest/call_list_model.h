#pragma once

#include "flight_order.h"
#include "results_model.h"

#include <string>
#include <vector>

namespace orlo::contest {

// The printed call list in the results' own model: a table for each round
// at each circle, in the order called, with the order, contestant, number,
// class, flight and a box to tick on the sheets; in files also whether the
// flight is flown. caption keeps one class (all when empty), round one round
// (all when 0); withdrawn pilots are left out of the rounds still to fly.
std::vector<ResultTable> callListTables(const CallList &list, const std::string &caption = {}, int round = 0);

} // namespace orlo::contest
