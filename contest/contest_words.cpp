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

std::string shownMoment(std::string_view time)
{
    if (time.size() < 19 || time[10] != 'T')
        return std::string(time);
    std::string shown = std::string(time.substr(0, 10)) + " " + std::string(time.substr(11, 5));
    std::string_view offset = time.substr(19);
    while (!offset.empty() && (offset.front() == '.' || (offset.front() >= '0' && offset.front() <= '9')))
        offset.remove_prefix(1);
    if (offset == "Z")
        return shown + " +00:00";
    if (offset.size() == 5) // "+0200"
        return shown + " " + std::string(offset.substr(0, 3)) + ":" + std::string(offset.substr(3));
    return offset.empty() ? shown : shown + " " + std::string(offset);
}

std::string provisionalAsOf(std::string_view shownTime)
{
    return "Provisional, as of " + std::string(shownTime);
}

std::string finalState(std::string_view shownClosedAt)
{
    return shownClosedAt.empty() ? std::string("Final") : "Final, closed " + std::string(shownClosedAt);
}

std::string waitingAfterFinal(int waiting, std::string_view shownFirstAt)
{
    if (waiting == 1)
        return "1 flight recorded after Final, at " + std::string(shownFirstAt) + ": reopen the class to count it";
    return std::to_string(waiting) + " flights recorded after Final, the first at " + std::string(shownFirstAt)
        + ": reopen the class to count them";
}

std::string waitingInClass(std::string_view caption, int waiting, std::string_view shownFirstAt)
{
    return std::string(caption) + ": " + waitingAfterFinal(waiting, shownFirstAt);
}

std::string noFlightCounts(int voidFlights)
{
    if (voidFlights == 0)
        return "No flights have been recorded for this contest yet.";
    if (voidFlights == 1)
        return "1 flight has been recorded and made void: no flight counts yet.";
    return std::to_string(voidFlights) + " flights have been recorded, all made void: no flight counts yet.";
}

std::string closedClassRemark(std::string_view caption)
{
    return std::string(caption) + " is final: this flight is kept, and counts once the director reopens the class.";
}

} // namespace orlo::contest
