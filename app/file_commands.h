#pragma once

#include "results_files.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

namespace orlo {

namespace journal {
class JournalReader;
}

// The journal's contest, entry list and flights ranked, as of now; the
// classes named, or every class with flights or entries when none is. Throws
// JournalProblem when the journal cannot be read, contest::UnknownClass for a
// class named that the contest does not hold.
contest::Results readResults(const journal::JournalReader &reader, const std::vector<std::string> &classes = {});

// Ranks the journal's flights and writes the results of the classes named
// (every class with flights or entries when none is) to path. Says what it
// wrote on the standard output, or writes nothing and says why in one line
// on the standard error. Returns the exit status.
// The contest is the current one unless another is given by its id.
int writeResults(const QString &journalPath, const QString &path, const QStringList &classes,
                 std::int64_t contest = 0);

// Ranks every contest the series counts and writes the series standings of
// the classes named (every class when none is) to path, saying what it did
// as writeResults does. The series is the one named, else the journal's one
// series, else every contest under the default rules. Returns the exit status.
int writeSeriesResults(const QString &journalPath, const QString &path, const QString &series,
                       const QStringList &classes);

// Writes the journal's flights that pass the day as an XLSX workbook, the
// whole file or none of it. Returns the exit status, saying what it did as
// writeResults does.
// Writes the call list (every class and round, or the class and round named)
// to path in the format its extension names. Returns the exit status.
int callListCommand(const QString &journalPath, const QString &path, const QString &caption, int round,
                    std::int64_t contest);

int exportFlightsXlsx(const QString &journalPath, const QString &day, const QString &path, std::int64_t contest = 0);

// Whether the file is to be written as XLSX.
bool isXlsx(const QString &path);

} // namespace orlo
