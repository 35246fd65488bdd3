#pragma once

#include "contest_settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace orlo::contest {

// Whether text is a day of the calendar written YYYY-MM-DD: 2028-02-29 is
// one, 2027-02-29 and 2026-02-31 are not.
bool isCalendarDay(std::string_view text);

// Why the settings would rank nothing sensibly, in the director's words: a
// day that is no date or a last day before the first, a class with two rules,
// with no official flight or summing more flights than it allows, a
// combination without a name or classes. None when they are sound.
std::optional<std::string> refusalOf(const ContestSettings &contest);

// A class closed without a time is closed as of now (local time with offset);
// one closed before keeps the time it was closed, one open has none.
void stampClosings(ContestSettings &contest, const std::string &now);

} // namespace orlo::contest
