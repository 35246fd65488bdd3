#include "merge_contests.h"

#include "contestant_names.h"
#include "journal_merge.h"

#include <algorithm>

namespace orlo::journal {

namespace {

// A contest's first and last day, a day alone standing for both; empty when it has none.
std::pair<std::string, std::string> daysOf(const SeasonContest &contest)
{
    const std::string first = contest.firstDay.empty() ? contest.lastDay : contest.firstDay;
    return {first, contest.lastDay.empty() ? first : contest.lastDay};
}

// Days not set at one table say nothing against the other's.
bool daysMeet(const SeasonContest &a, const SeasonContest &b)
{
    const auto [firstA, lastA] = daysOf(a);
    const auto [firstB, lastB] = daysOf(b);
    return firstA.empty() || firstB.empty() || (firstA <= lastB && firstB <= lastA);
}

std::string daysText(const SeasonContest &contest)
{
    const auto [first, last] = daysOf(contest);
    return first.empty() ? std::string("no days") : first == last ? first : first + " to " + last;
}

bool namedAlike(const SeasonContest &a, const SeasonContest &b)
{
    return !contest::tidyName(a.name).empty() && contest::sameName(a.name, b.name);
}

// "Nats (2025-07-01 to 2025-07-02)": the name told apart by its days.
std::string namedWithDays(const SeasonContest &contest)
{
    return contest::tidyName(contest.name) + " (" + daysText(contest) + ")";
}

} // namespace

const SeasonContest *sameContest(const std::vector<SeasonContest> &here, const SeasonContest &contest,
                                 MergeReport &report)
{
    auto same = std::find_if(here.begin(), here.end(), [&](const SeasonContest &mine) {
        // Or the name it was added under, told apart by its days, at a merge from a third table.
        const bool sameDays = mine.firstDay == contest.firstDay && mine.lastDay == contest.lastDay;
        const bool addedApart =
            !contest::tidyName(contest.name).empty() && contest::sameName(mine.name, namedWithDays(contest));
        return mine.uuid == contest.uuid || (sameDays && (contest::sameName(mine.name, contest.name) || addedApart));
    });
    if (same == here.end()) {
        same = std::find_if(here.begin(), here.end(), [&](const SeasonContest &mine) {
            return namedAlike(mine, contest) && daysMeet(mine, contest);
        });
        if (same != here.end())
            report.conflicts.push_back(same->name + " has the days " + daysText(contest) + " in the other table and "
                                       + daysText(*same) + " in this one; it keeps this table's.");
    }
    return same == here.end() ? nullptr : &*same;
}

std::string nameAdded(const std::vector<SeasonContest> &here, const SeasonContest &contest, MergeReport &report)
{
    const auto named = std::find_if(here.begin(), here.end(),
                                    [&](const SeasonContest &mine) { return namedAlike(mine, contest); });
    if (named == here.end())
        return contest.name;
    const std::string apart = namedWithDays(contest);
    report.notes.push_back("The other table's " + contest.name + ", of " + daysText(contest) + ", is added as " + apart
                           + ": this table's " + named->name + " is of " + daysText(*named) + ".");
    return apart;
}

} // namespace orlo::journal
