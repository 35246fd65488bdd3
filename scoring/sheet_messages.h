#pragma once

#include <string_view>

namespace orlo::messages {

inline constexpr std::string_view negativeHighSpeedTime =
    "Negative time, how'd you do that? Positive numbers please.";
inline constexpr std::string_view negativeLowSpeedTime =
    "Negative times, how'd you do that? Positive numbers please.";
inline constexpr std::string_view noHighSpeedTime =
    "You must enter at least one watch time for the highspeed.";
inline constexpr std::string_view badEngineCount =
    "The Number of engines must be a number > 0. Please try again.";
inline constexpr std::string_view badLandingPoints =
    "Landing points range from 0 to 100 in 5 point increments";

} // namespace orlo::messages
