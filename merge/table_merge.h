#pragma once

#include "journal_export.h"

#include <string>

namespace orlo {

// Merges the journal of another scoring table at otherPath into the journal:
// done with the sentence of what it added and each conflict on a line of
// its own, or not done, nothing changed, and why. Runs on any thread.
JournalExport mergeTableInto(const std::string &journalPath, const std::string &otherPath);

} // namespace orlo
