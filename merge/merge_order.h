#pragma once

#include "journal_merge.h"

#include <cstdint>
#include <map>

namespace orlo::journal {

class Database;

// The other journal's order of flying brought into this one, contest by
// contest (contests and entries map the other's ids to this journal's): a
// class this journal orders already keeps its order, told when the other's
// differs; a flight called again and a pilot withdrawn arrive once, however
// often the same table is merged.
void mergeFlightOrder(const Database &here, const Database &other, const std::map<std::int64_t, std::int64_t> &contests,
                      const std::map<std::int64_t, std::int64_t> &entries, MergeReport &report);

} // namespace orlo::journal
