#pragma once

#include "journal_export.h"
#include "journal_reader.h"

#include <string>

namespace orlo {

// Writes the journal's flights that pass filter to fileName as CSV for a
// spreadsheet, the whole file or none of it: it is written aside and put in
// place at the end, and never onto the journal itself. The journal is read
// over a connection of the export's own, so it may run on any thread. The
// flights are the current contest's unless another is given by its id.
JournalExport exportFlightsCsv(const std::string &journalPath, const journal::FlightFilter &filter,
                               const std::string &fileName, std::int64_t contest = 0);

// Copies the journal to fileName with SQLite's online backup: a whole
// journal, even of one being recorded into. Runs on any thread.
JournalExport backUpJournalTo(const std::string &journalPath, const std::string &fileName);

} // namespace orlo
