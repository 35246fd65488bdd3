#pragma once

#include "season.h"

#include <string>
#include <vector>

namespace orlo::journal {

struct MergeReport;

// Which of this table's contests the other table's contest is: the same
// identifier, else the same name with days that meet, or, nameless, the
// same days. A contest set up at each table on its own has its own
// identifier, and its days may be typed otherwise at one: a conflict, said
// in report and kept as this table has it. Null when it is new here.
const SeasonContest *sameContest(const std::vector<SeasonContest> &here, const SeasonContest &contest,
                                 MergeReport &report);

// The name a contest new here takes: its own, or, when a contest of that
// name here has days that do not meet its own (last year's Nats, say), its
// name told apart by its days, said in report, as two contests of one name
// could not be told apart.
std::string nameAdded(const std::vector<SeasonContest> &here, const SeasonContest &contest, MergeReport &report);

} // namespace orlo::journal
