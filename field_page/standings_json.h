#pragma once

#include "field_view.h"

#include <cstdint>
#include <string>

namespace orlo::field {

// The layout of /standings.json; raised when a field changes its meaning or goes.
inline constexpr int standingsJsonFormat = 1;

// The standings as /standings.json serves them (the README lists every
// field): the contest, each class and combination as the results model
// ranks them, and the latest flights, under the view's version.
std::string standingsJson(const FieldView &view);

// The answer to /standings.json?since=V when the wait ran out with V still
// the version: {"format":1,"version":V} alone, so that a page's waits cost
// next to nothing while the contest stands still.
std::string unchangedJson(std::uint64_t version);

} // namespace orlo::field
