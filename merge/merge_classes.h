#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace orlo::journal {

class Database;
struct MergeReport;

// The rows of rows that other lacks, in their order: what one table's
// record of a flight or a class holds that the other's does not.
template <class Row>
std::vector<Row> missingFrom(const std::vector<Row> &rows, const std::vector<Row> &other)
{
    std::vector<Row> missing;
    for (const Row &row : rows)
        if (std::find(other.begin(), other.end(), row) == other.end())
            missing.push_back(row);
    return missing;
}

// Brings the class rules of the other table's contest from into this
// journal's contest into, and the trail of the classes closed as final and
// reopened. A rule or a closing made in one table alone is taken with its
// trail; a class closed and reopened differently in both is a conflict,
// kept as this table has it.
void mergeClasses(const Database &here, const Database &other, std::int64_t from, std::int64_t into,
                  const std::string &contestName, MergeReport &report);

// Brings the combinations of the other table's contest from (the combined
// standings of several classes) into this journal's contest into: one this
// table lacks is added; one named alike with other classes, or of the same
// classes under another name, is a conflict, kept as this table has it.
void mergeCombinations(const Database &here, const Database &other, std::int64_t from, std::int64_t into,
                       const std::string &contestName, MergeReport &report);

} // namespace orlo::journal
