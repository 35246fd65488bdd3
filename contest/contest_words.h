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

// "2026-07-15 16:42 +02:00": a time the journal keeps
// ("2026-07-15T16:42:05+0200") as every result shows it, local time to the
// minute with its offset; a text that is no such time is shown as it is.
std::string shownMoment(std::string_view localWithOffset);

// "Provisional, as of 2026-07-15 16:42": standings that may still change,
// with the time they were read, as the caller shows a time.
std::string provisionalAsOf(std::string_view shownTime);
// "Final", or "Final, closed 2026-07-15 17:05" when the closing time is given.
std::string finalState(std::string_view shownClosedAt = {});
// "1 flight recorded after Final, at 14:32: reopen the class to count it":
// the flights a final class keeps without counting them, with the time of
// the first of them as the caller shows a time.
std::string waitingAfterFinal(int waiting, std::string_view shownFirstAt);
// "Class I: 1 flight recorded after Final, …": the same, of one class of a combination.
std::string waitingInClass(std::string_view caption, int waiting, std::string_view shownFirstAt);
// What results without a flight that counts say: that none was recorded yet,
// or how many were and that, void, none counts.
std::string noFlightCounts(int voidFlights);
// Told on the sheet when a flight is scored in a final class.
std::string closedClassRemark(std::string_view caption);

} // namespace orlo::contest
