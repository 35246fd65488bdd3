#pragma once

#include "field_view.h"

#include <string>

namespace orlo::field {

// The layout of /standings.json; raised when a field changes its meaning or goes.
inline constexpr int standingsJsonFormat = 1;

// The standings as /standings.json serves them (the README lists every
// field): the contest, each class and combination as the results model
// ranks them, and the latest flights, under the view's version.
std::string standingsJson(const FieldView &view);

} // namespace orlo::field
