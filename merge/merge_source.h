#pragma once

#include "database.h"

#include <memory>
#include <string>

namespace orlo::journal {

class PrivateFolder;

// The other table of a merge, read in one snapshot: refused in a
// JournalProblem when it is missing, damaged, empty, foreign or of a later
// version; one of an earlier layout is copied into folder and the copy
// carried forward, the original untouched.
Database openOther(const std::string &otherPath, std::unique_ptr<PrivateFolder> &folder);

} // namespace orlo::journal
