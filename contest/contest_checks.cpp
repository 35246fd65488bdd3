#include "contest_checks.h"

#include <set>

namespace orlo::contest {

namespace {

// The number written in the digits of text, or -1 when one is no digit.
int digits(std::string_view text)
{
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

bool isCalendarDay(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    const int year = digits(text.substr(0, 4));
    const int month = digits(text.substr(5, 2));
    const int day = digits(text.substr(8, 2));
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

std::optional<std::string> refusalOf(const ContestSettings &contest)
{
    for (const std::string *day : {&contest.firstDay, &contest.lastDay})
        if (!day->empty() && !isCalendarDay(*day))
            return "A contest day is a day of the calendar written YYYY-MM-DD, such as 2026-07-01, or left empty, not "
                + *day + ".";
    if (!contest.firstDay.empty() && !contest.lastDay.empty() && contest.lastDay < contest.firstDay)
        return "The contest's last day comes before its first.";
    std::set<std::string> captions;
    for (const ClassRule &rule : contest.classes) {
        if (rule.caption.empty())
            return "A class rule needs the class's caption.";
        if (!captions.insert(rule.caption).second)
            return rule.caption + " has two rules; a class has one.";
        if (rule.officialFlights < 1)
            return rule.caption + " allows no official flight; at least one is allowed.";
        if (rule.counting == Counting::SumOfBest && (rule.counted < 1 || rule.counted > rule.officialFlights))
            return rule.caption + " sums the best " + std::to_string(rule.counted) + " of "
                + std::to_string(rule.officialFlights)
                + " official flights allowed; it sums at least one and at most all of them.";
    }
    for (const Combination &combination : contest.combinations)
        if (combination.name.empty() || combination.classes.empty())
            return "A combination needs a name and its classes.";
    return std::nullopt;
}

void stampClosings(ContestSettings &contest, const std::string &now)
{
    for (ClassRule &rule : contest.classes)
        if (!rule.final)
            rule.finalAt.clear();
        else if (rule.finalAt.empty())
            rule.finalAt = now;
}

} // namespace orlo::contest
