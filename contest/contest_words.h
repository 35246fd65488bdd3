#pragma once

#include "contest_settings.h"

#include <string>
#include <string_view>

namespace orlo::contest {

// "The sum of the best 2 official flights counts; 3 official flights allowed;
// tied contestants share the place.": a class's rule as the director and
// the contestants read it on the results.
std::string ruleSentence(const ClassRule &rule);

// The rule's parts as the director picks them: "Best flight", "Sum of best K";
// "Shared (1, 2, 2, 4)", "Broken by next best".
std::string countingChoice(Counting counting);
std::string tieChoice(TieRule ties);

// "Provisional, as of 2026-07-15 16:42": standings that may still change,
// with the time they were read, as the caller shows a time.
std::string provisionalAsOf(std::string_view shownTime);
// "Final", or "Final, closed 2026-07-15 17:05" when the closing time is given.
std::string finalState(std::string_view shownClosedAt = {});

} // namespace orlo::contest
