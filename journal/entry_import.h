#pragma once

#include "contest_journal.h"

#include <cstdint>
#include <vector>

namespace orlo::journal {

class Database;

// Adds the rows to the contest's entry list in a transaction of its own,
// all or nothing; a row matching an entry by number, or else by the
// compared name, is already listed and adds nothing.
ImportOutcome importRows(const Database &db, std::int64_t contest, const std::vector<RegistrationRow> &rows);

} // namespace orlo::journal
