#pragma once

#include "field_view.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orlo::field {

// "/": the contest for a phone in the sun: the latest flights, each class's
// standings and each combination's, every name a link to its own page.
std::string phonePage(const FieldView &view);

// "/contestant/<entry>": a contestant's flights in each class they stand in,
// with each run's points, the landing, the status and what counts; none for
// an entry the standings do not hold.
std::optional<std::string> contestantPage(const FieldView &view, std::int64_t entry);

// "/contestant/12" for the entry 12.
std::string contestantAddress(std::int64_t entry);

} // namespace orlo::field
