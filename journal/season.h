#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orlo::journal {

// One contest of the journal's season, as the list of contests shows it.
struct SeasonContest {
    std::int64_t id = 0;
    std::string uuid; // the contest's identifier across scoring tables
    std::string name;
    std::string firstDay, lastDay; // "YYYY-MM-DD"; empty when not set
    int flights = 0;
    int finalClasses = 0;
    bool current = false;
};

// A contest to start: its name and days, with an empty entry list or a copy
// of the current contest's.
struct NewContest {
    std::string name;
    std::string firstDay, lastDay;
    bool copyEntries = false;
};

// "Contest of 2026-05-28 to 2026-05-29": the name of a contest that had none,
// after its days; one day is named alone, no day gives an empty name.
std::string nameAfterDays(const std::string &firstDay, const std::string &lastDay);

// The id of the season's current contest; 0 when none is current.
std::int64_t currentOf(const std::vector<SeasonContest> &season);

} // namespace orlo::journal
