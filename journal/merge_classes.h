#pragma once

#include <cstdint>
#include <string>

namespace orlo::journal {

class Database;
struct MergeReport;

// Brings the class rules of the other table's contest from into this
// journal's contest into, and the trail of the classes closed as final and
// reopened. A rule or a closing made in one table alone is taken with its
// trail; a class closed and reopened differently in both is a conflict,
// kept as this table has it.
void mergeClasses(const Database &here, const Database &other, std::int64_t from, std::int64_t into,
                  const std::string &contestName, MergeReport &report);

} // namespace orlo::journal
