#pragma once

#include <QString>

#include <cstdint>

namespace orlo {

// Adds the registration file's entries to the contest's list, all or none,
// saying on the standard output what it added and changed, or on the
// standard error why nothing. Returns the exit status.
int importEntries(const QString &journalPath, const QString &filePath, std::int64_t contestId);

} // namespace orlo
