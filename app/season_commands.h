#pragma once

#include "command_line.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace orlo {

// Prints the journal's contests one a line, tab-separated: name, first day,
// last day, flights, and "current" for the current one. Returns the exit status.
int listContests(const QString &journalPath);

// Starts options.newContest with its days and, when asked, the current
// contest's entry list, and makes it current. Returns the exit status.
int startContest(const StartOptions &options);

// Merges the journal of another scoring table at otherPath into the journal,
// printing what it added and each conflict. Returns the exit status: 1, with
// nothing changed, when the merge could not be made.
int mergeJournal(const QString &journalPath, const QString &otherPath);

// The contest of that name in the journal; none, said on the standard error
// with the list of contests there are, when the journal has no such contest
// or cannot be read.
std::optional<std::int64_t> contestNamed(const QString &journalPath, const QString &name);

} // namespace orlo
