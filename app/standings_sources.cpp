#include "standings_sources.h"

#include "journal_files.h"
#include "journal_reader.h"
#include "journal_words.h"
#include "results_files.h"
#include "season.h"
#include "series_reading.h"
#include "standings_reader.h"

#include <memory>
#include <stdexcept>

namespace orlo {

namespace {

// The format a results file is written in, by its name's extension; never
// the journal itself, which only SQLite opens (see file_dialog.cpp).
const ResultsFormat &formatFor(const std::string &path, const std::string &journalPath)
{
    if (journal::isJournalFile(path, journalPath))
        throw std::runtime_error(theJournalItself);
    const ResultsFormat *format = resultsFormatOf(QString::fromStdString(path));
    if (!format)
        throw std::runtime_error("its name ends in none of " + resultsExtensions().toStdString());
    return *format;
}

// The season's series from the journal file: every contest it counts read
// and ranked as its own results are, over a reader of the read's own; the
// series kept over a recording connection opened for the change alone.
SeriesSource seriesIn(const std::string &journalPath)
{
    return {[journalPath](const std::string &name) {
                journal::JournalReader reader(journalPath);
                SeriesRead read;
                read.series = reader.series();
                for (const journal::SeasonContest &contest : reader.contests())
                    read.contests.push_back({contest.uuid, contest.name});
                // The series asked for, else the first, else every contest by the default rules.
                const contest::SeriesSettings chosen = journal::seriesNamed(
                    reader, !name.empty() || read.series.empty() ? name : read.series.front().name);
                read.standings = contest::rankSeries(chosen, journal::seriesContests(reader, chosen));
                return read;
            },
            [journalPath](const contest::SeriesSettings &series) { journal::ContestJournal(journalPath).setSeries(series); },
            [journalPath](const contest::SeriesStandings &standings, const std::string &path) {
                formatFor(path, journalPath).writeSeries(standings, path);
            }};
}

} // namespace

// The standings from the journal file: read over a reader of their own on
// the window's worker thread, which keeps what it read so that a read after
// a flight recorded reads that flight alone; the contest's settings read over
// a reader too and changed over a recording connection opened for the change alone.
StandingsSource standingsIn(const std::string &journalPath)
{
    auto standings = std::make_shared<journal::StandingsReader>(journalPath);
    // The contest whose settings the director is shown: another contest made
    // current meanwhile (New contest…, another program) must not take them.
    auto shown = std::make_shared<std::int64_t>(0);
    return {[standings] { return standings->read(); },
            [journalPath, shown] {
                journal::JournalReader reader(journalPath);
                if (const std::int64_t current = journal::currentOf(reader.contests()))
                    *shown = current;
                reader.chooseContest(*shown);
                return reader.contest();
            },
            [journalPath, shown](const contest::ContestSettings &contest) {
                journal::ContestJournal journal(journalPath);
                journal.chooseContest(*shown);
                journal.setContest(contest);
            },
            [journalPath](const contest::Results &results, const std::string &path) {
                formatFor(path, journalPath).write(results, path);
            },
            seriesIn(journalPath),
            {},
            {}};
}

} // namespace orlo
