#pragma once

#include "journal_reader.h"

#include <string>

namespace orlo {

// What an export or a backup did, in one sentence for the official.
struct JournalExport {
    bool done = false;
    std::string sentence;
    journal::JournalNotice notice; // an older journal carried forward as it was read
};

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

// Merges the journal of another scoring table at otherPath into the journal:
// done with the sentence of what it added and each conflict on a line of
// its own, or not done, nothing changed, and why. Runs on any thread.
JournalExport mergeTableInto(const std::string &journalPath, const std::string &otherPath);

} // namespace orlo
