#include "file_commands.h"

#include "call_list_files.h"
#include "call_list_model.h"
#include "call_list_reading.h"
#include "command_output.h"
#include "contestant_names.h"
#include "contest_words.h"
#include "flight_order.h"
#include "journal_files.h"
#include "journal_reader.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "local_time.h"
#include "results_files.h"
#include "results_table.h"
#include "series_reading.h"
#include "series_words.h"
#include "spreadsheet_files.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <ctime>

namespace orlo {

namespace {

using contest::Results;

QString counted(std::size_t count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// Runs work, which reads the journal and writes path; a failure writes
// nothing and is said in one line. Returns the exit status.
template <typename Work>
int written(const QString &journalPath, std::int64_t contest, const QString &path, const char *what, Work work)
{
    const QString cannot = QStringLiteral("Cannot write %1 to %2: ").arg(QLatin1String(what),
                                                                         QDir::toNativeSeparators(path));
    if (journal::isJournalFile(path.toStdString(), journalPath.toStdString())) {
        say(cannot + QLatin1String(theJournalItself) + QStringLiteral(". Nothing was written."));
        return 1;
    }
    try {
        journal::JournalReader reader(journalPath.toStdString());
        reader.chooseContest(contest);
        work(reader);
        if (reader.notice())
            say(QString::fromStdString(journalSentence(reader.notice())));
        return 0;
    } catch (const journal::JournalProblem &problem) {
        say(cannot + QString::fromStdString(journalSentence(problem)) + QStringLiteral(" Nothing was written."));
    } catch (const std::exception &failure) {
        say(cannot + QString::fromStdString(failure.what()) + QStringLiteral(". Nothing was written."));
    }
    return 1;
}

} // namespace

bool isXlsx(const QString &path)
{
    return path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
}

contest::Results readResults(const journal::JournalReader &reader, const std::vector<std::string> &classes)
{
    std::string asOf = journal::localTimeText(std::time(nullptr), "%Y-%m-%dT%H:%M:%S%z");
    const std::vector<contest::Entry> entries = reader.entries();
    const std::vector<contest::ScoredFlight> flights = reader.scoredFlights();
    contest::Results results = contest::rank(reader.contest(), entries, flights, classes, std::move(asOf));
    return contest::tellRounds(results, reader.flightOrder(), entries, flights);
}

int writeResults(const QString &journalPath, const QString &path, const QStringList &classes, std::int64_t contest)
{
    std::vector<std::string> named;
    for (const QString &caption : classes)
        named.push_back(caption.toStdString());
    const ResultsFormat *format = resultsFormatOf(path);
    if (!format) {
        say(QStringLiteral("The results are written to a file whose name ends in one of %1.").arg(resultsExtensions()));
        return 2;
    }
    Results results;
    const int status = written(journalPath, contest, path, "the results", [&](const journal::JournalReader &reader) {
        results = readResults(reader, named);
        format->write(results, path.toStdString());
    });
    if (status != 0)
        return status;
    const QString shownPath = QDir::toNativeSeparators(path);
    if (results.noFlights() && results.voidFlights > 0) {
        std::printf("%s %s says so.\n", contest::noFlightCounts(results.voidFlights).c_str(), qPrintable(shownPath));
        return 0;
    }
    if (results.noFlights()) {
        // The journal may hold other contests' flights: the contest is named.
        const std::string &contestName = results.contest.name;
        const std::string where = !classes.isEmpty()      ? (classes.size() == 1 ? "that class" : "those classes")
                                  : contestName.empty() ? std::string("the contest")
                                                        : contestName;
        std::printf("No flights in %s yet; %s says so.\n", where.c_str(), qPrintable(shownPath));
        return 0;
    }
    std::size_t rows = 0;
    for (const auto &standings : results.classes)
        rows += standings.rows.size();
    // A combination named alone: its lines are what was written.
    QString what = counted(results.classes.size(), "class", "classes");
    if (results.classes.empty()) {
        for (const auto &combined : results.combined)
            rows += combined.rows.size();
        what = counted(results.combined.size(), "combination", "combinations");
    }
    std::printf("Wrote the results of %s, %s, to %s.\n", qPrintable(what),
                qPrintable(counted(rows, "contestant's line", "contestants' lines")), qPrintable(shownPath));
    if (results.flightsWithoutContestant > 0)
        say(QStringLiteral("%1 without a contestant counted nowhere; name the contestant in the flights window.")
                .arg(counted(static_cast<std::size_t>(results.flightsWithoutContestant), "flight", "flights")));
    return 0;
}

int writeSeriesResults(const QString &journalPath, const QString &path, const QString &series,
                       const QStringList &classes)
{
    std::vector<std::string> named;
    for (const QString &caption : classes)
        named.push_back(caption.toStdString());
    const ResultsFormat *format = resultsFormatOf(path);
    if (!format) {
        say(QStringLiteral("The series is written to a file whose name ends in one of %1.").arg(resultsExtensions()));
        return 2;
    }
    contest::SeriesStandings standings;
    const int status = written(journalPath, 0, path, "the series", [&](journal::JournalReader &reader) {
        const contest::SeriesSettings chosen = journal::seriesNamed(reader, series.toStdString());
        standings = contest::rankSeries(chosen, journal::seriesContests(reader, chosen), named);
        format->writeSeries(standings, path.toStdString());
    });
    if (status != 0)
        return status;
    std::size_t rows = 0;
    for (const contest::SeriesTable &table : standings.tables)
        rows += table.rows.size();
    std::printf("Wrote the series %s of %s over %s, %s, to %s.\n", standings.series.name.c_str(),
                qPrintable(counted(standings.tables.size(), "class", "classes")),
                qPrintable(counted(standings.contests.size(), "contest", "contests")),
                qPrintable(counted(rows, "contestant's line", "contestants' lines")),
                qPrintable(QDir::toNativeSeparators(path)));
    if (standings.provisional())
        say(QStringLiteral("The series is provisional: a contest it counts is still running."));
    for (const contest::NearName &near : standings.nearNames)
        if (!near.chosen)
            say(QStringLiteral("Near names: %1.").arg(QString::fromStdString(contest::nearNameLine(near))));
    return 0;
}

int exportFlightsXlsx(const QString &journalPath, const QString &day, const QString &path, std::int64_t contest)
{
    std::size_t count = 0;
    const int status = written(journalPath, contest, path, "the flights", [&](const journal::JournalReader &reader) {
        const std::vector<journal::FlightRow> flights = reader.flights({day.toStdString(), {}});
        count = flights.size();
        exports::writeXlsx({exports::flightsTable(flights)}, path.toStdString());
    });
    if (status == 0)
        std::printf("Exported %s to %s.\n", qPrintable(counted(count, "flight", "flights")),
                    qPrintable(QDir::toNativeSeparators(path)));
    return status;
}

int callListCommand(const QString &journalPath, const QString &path, const QString &caption, int round,
                    std::int64_t contest)
{
    std::size_t calls = 0;
    std::size_t rounds = 0;
    const int status = written(journalPath, contest, path, "the call list", [&](const journal::JournalReader &reader) {
        const contest::CallList list = journal::readCallList(reader);
        // As typed on the command line, "class  i" names Class I.
        std::string named = caption.toStdString();
        for (const contest::CircleRound &each : list.rounds)
            for (const contest::Call &call : each.calls)
                if (contest::sameName(call.caption, named))
                    named = call.caption;
        const std::vector<contest::ResultTable> tables = contest::callListTables(list, named, round);
        writeCallList(callListTitle(reader.contest().name), tables, path.toStdString());
        for (const contest::ResultTable &table : tables)
            calls += table.rows.size();
        rounds = tables.size();
    });
    if (status == 0)
        std::printf("Wrote the call list, %zu %s in %zu %s, to %s.\n", calls, calls == 1 ? "call" : "calls", rounds,
                    rounds == 1 ? "round" : "rounds", qPrintable(QDir::toNativeSeparators(path)));
    return status;
}

} // namespace orlo
