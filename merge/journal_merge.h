#pragma once

#include <string>
#include <vector>

namespace orlo::journal {

// What a merge of another scoring table's journal brought, and each
// conflict it left as this journal has it.
struct MergeReport {
    int contestsAdded = 0, contestsThere = 0;
    int flightsAdded = 0, flightsThere = 0;
    int flightsChanged = 0; // there already, and changed in the other table alone: the change taken
    int entriesAdded = 0, entriesThere = 0;
    std::vector<std::string> conflicts; // sentences for the director
    std::vector<std::string> notes;     // what else the director is told: a class closed, a final class's flight
};

// Brings the contests, flights with their calculations and changes, entries,
// class rules and the trail of classes closed and reopened of the journal at
// otherPath into the journal at path, in one transaction. Contests are
// matched by UUID, else by name and days that meet (merge_contests.h);
// flights by UUID; entries by
// number, else by name. The other journal is only read, as it stood when the
// merge began. Throws JournalProblem, with nothing changed, when either
// journal cannot be read or written, or the other is damaged or no journal.
MergeReport mergeJournal(const std::string &path, const std::string &otherPath);

} // namespace orlo::journal
