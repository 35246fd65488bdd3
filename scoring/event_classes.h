#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orlo {

// Index of the event class selected on the score sheet, 0 to 5.
using ClassIndex = std::int16_t;

struct EventClass {
    std::string_view caption;
    double circleFeet;          // diameter of the flight circle
    bool scaleOptionsShown;     // classes without scale points hide the award
    std::string_view upperScaleCaption; // empty: the caption is left as it is
};

inline constexpr std::array<EventClass, 6> eventClasses{{
    {"Class I", 120, true, "100"},
    {"Class II", 120, true, "100"},
    {"Profile", 120, true, "10"},
    {"Sportsman", 120, true, "10"},
    {".15 Carrier", 104, false, ""},
    {"Skyray Carrier", 120, false, ""},
}};

// The class of an index, the first class for an index outside the table.
const EventClass &eventClass(ClassIndex index);

// Miles per hour over one timed run of seven laps, from its average time in
// seconds; empty for a time of 0. Every step is in double arithmetic in this
// order, because the last displayed digits depend on it.
std::optional<double> speedMph(ClassIndex index, double seconds);

} // namespace orlo
