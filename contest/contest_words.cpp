#include "contest_words.h"

namespace orlo::contest {

std::string ruleSentence(const ClassRule &rule)
{
    const std::string counted = rule.counting == Counting::BestFlight
        ? "The best official flight counts"
        : "The sum of the best " + std::to_string(rule.counted) + " official flights counts";
    const std::string ties = rule.ties == TieRule::Shared
        ? "tied contestants share the place"
        : "a tie is broken by the next-best official flight, then the third-best and so on among the official "
          "flights allowed, a flight beating no flight, and only a tie left after all of them is shared";
    return counted + "; " + std::to_string(rule.officialFlights) + " official flights allowed; " + ties + ".";
}

std::string countingChoice(Counting counting)
{
    return counting == Counting::BestFlight ? "Best flight" : "Sum of best K";
}

std::string tieChoice(TieRule ties)
{
    return ties == TieRule::Shared ? "Shared (1, 2, 2, 4)" : "Broken by next best";
}

std::string provisionalAsOf(std::string_view shownTime)
{
    return "Provisional, as of " + std::string(shownTime);
}

std::string finalState(std::string_view shownClosedAt)
{
    return shownClosedAt.empty() ? std::string("Final") : "Final, closed " + std::string(shownClosedAt);
}

} // namespace orlo::contest
