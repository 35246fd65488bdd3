#include "journal_exports.h"

#include "flights_csv.h"
#include "journal_files.h"
#include "journal_schema.h"
#include "journal_words.h"

#include <stdexcept>

namespace orlo {

namespace {

std::string flightsWritten(int count)
{
    return count == 1 ? std::string("1 flight") : std::to_string(count) + " flights";
}

} // namespace

JournalExport exportFlightsCsv(const std::string &journalPath, const journal::FlightFilter &filter,
                               const std::string &fileName, std::int64_t contest)
{
    const auto cannot = [&fileName](const std::string &why) {
        return JournalExport{
            false, "Cannot export to " + shownFileName(fileName) + ": " + why + " Nothing was written.", {}};
    };
    if (journal::isJournalFile(fileName, journalPath))
        return cannot(theJournalItself + std::string("."));
    std::vector<journal::FlightRow> flights;
    journal::JournalNotice notice;
    try {
        journal::JournalReader reader(journalPath);
        reader.chooseContest(contest);
        flights = reader.flights(filter);
        notice = reader.notice();
    } catch (const journal::JournalProblem &problem) {
        return cannot(journalSentence(problem));
    }
    const std::string csv = flightsCsv(flights);
    try {
        journal::writeFileAside(fileName, csv);
    } catch (const std::runtime_error &failure) {
        return cannot(failure.what() + std::string("."));
    }
    return {true,
            "Exported " + flightsWritten(static_cast<int>(flights.size())) + " to " + shownFileName(fileName) + ".",
            notice};
}

JournalExport backUpJournalTo(const std::string &journalPath, const std::string &fileName)
{
    try {
        const int flights = journal::backUpJournal(journalPath, fileName);
        return {true, "Backed up the journal, " + flightsWritten(flights) + ", to " + shownFileName(fileName) + ".",
                {}};
    } catch (const journal::JournalProblem &problem) {
        return {false, journalSentence(problem), {}};
    }
}

} // namespace orlo
