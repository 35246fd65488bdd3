#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlo::contest {

// Whether a flight counts: official (the default for a scored flight), an
// attempt (counts as an attempt, scores nothing) or void (does not count).
enum class FlightStatus { Official, Attempt, Void };
std::string statusName(FlightStatus status); // "official", "attempt", "void"
std::optional<FlightStatus> statusNamed(std::string_view name);

} // namespace orlo::contest
