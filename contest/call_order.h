#pragma once

#include <cstdint>
#include <vector>

namespace orlo::contest {

// Orders one round at one circle: pilots are the entry of each call in the
// order preferred (class after class, each in its own order). Returns the
// indices of the calls in the order to call them, keeping each pilot's calls
// at least distance apart where the entries allow it, and otherwise as far
// apart as the search finds; the preferred order is kept wherever the
// distance allows.
std::vector<std::size_t> arrangeCalls(const std::vector<std::int64_t> &pilots, int distance);

} // namespace orlo::contest
