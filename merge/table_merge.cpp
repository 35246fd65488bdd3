#include "table_merge.h"

#include "journal_merge.h"
#include "journal_schema.h"
#include "journal_words.h"

namespace orlo {

JournalExport mergeTableInto(const std::string &journalPath, const std::string &otherPath)
{
    journal::MergeReport report;
    try {
        report = journal::mergeJournal(journalPath, otherPath);
    } catch (const journal::JournalProblem &problem) {
        return {false, journalSentence(problem), {}};
    }
    const auto counted = [](int count, const char *one, const char *many) {
        return std::to_string(count) + " " + (count == 1 ? one : many);
    };
    std::string sentence = "Merged " + shownFileName(otherPath) + " into " + shownFileName(journalPath) + ": "
        + counted(report.contestsAdded, "contest", "contests") + " added and " + std::to_string(report.contestsThere)
        + " there already; " + counted(report.flightsAdded, "flight", "flights") + " added and "
        + std::to_string(report.flightsThere) + " there already, " + std::to_string(report.flightsChanged)
        + " of them changed in the other table alone and taken; " + counted(report.entriesAdded, "entry", "entries")
        + " added and " + std::to_string(report.entriesThere) + " there already; "
        + (report.conflicts.empty() ? std::string("no conflicts")
                                    : counted(static_cast<int>(report.conflicts.size()), "conflict", "conflicts"))
        + ".";
    for (const std::string &conflict : report.conflicts)
        sentence += "\n  " + conflict;
    for (const std::string &note : report.notes)
        sentence += "\n  " + note;
    return {true, sentence, {}};
}

} // namespace orlo
