#pragma once

#include "standings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlo::contest {

// Seconds since 1970 in UTC of "YYYY-MM-DDTHH:MM:SS" followed by "+HHMM",
// "+HH:MM" or "Z", as the journal keeps times; none when the text is not such a time.
std::optional<std::int64_t> momentOf(std::string_view text);

// Whether a flight recorded at recordedAt came after the class was closed at
// closedAt, both local time with offset as the journal keeps them
// ("2026-07-15T14:32:05+0200"); compared as moments, so a change of offset
// between them (summer time ending) misorders nothing. A time that cannot be
// read is taken as before the closing: the flight counts, as it did before
// classes were closed.
bool recordedAfterClosing(std::string_view recordedAt, std::string_view closedAt);

// What the official is told on the sheet about the flight of a contestant in
// a class: the class is final (the flight is kept and waits), the contestant
// is not entered in it, or has flown every official flight it allows. One
// line, the weightiest of these; empty when none holds. flying is the flight
// being scored (0 before it is scored: the contestant is about to fly), and
// is left out when counting the flights flown before it.
std::string flightRemark(const ContestSettings &contest, const std::vector<Entry> &entries,
                         const std::vector<ScoredFlight> &flights, std::int64_t entry, std::string_view classCaption,
                         std::int64_t flying = 0);

} // namespace orlo::contest
