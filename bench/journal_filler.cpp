#include "journal_filler.h"

#include "contest_tables.h"
#include "database.h"
#include "entry_table.h"
#include "journal_columns.h"
#include "journal_schema.h"
#include "journal_steps.h"

#include "journal_reader.h"
#include "local_time.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace orlo::bench {

namespace {

CalculationRecord flightScore(int flight, int pressing)
{
    static const std::array<const char *, 6> classes{"Class I", "Class II", "Profile", "Sportsman",
                                                      "1/2 A Profile", "Skyray"};
    const int tenths = 1500 + (flight * 37 + pressing * 11) % 2000;
    const std::string score = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    CalculationRecord values;
    values.classCaption = classes[static_cast<std::size_t>(flight) % classes.size()];
    values.highSpeedWatch1 = "12.3";
    values.highSpeedWatch2 = "12.4";
    values.lowSpeedWatch1 = "25";
    values.lowSpeedWatch2 = "25.2";
    values.highSpeedTime = "12.35";
    values.highSpeedMph = "72.86";
    values.highSpeedPoints = "72.9";
    values.lowSpeedTime = "25.1";
    values.lowSpeedMph = "35.85";
    values.lowSpeedPoints = "13.8";
    values.enginesEntered = "1";
    values.enginesRunning = "0";
    values.scalePoints = "100";
    values.landingPoints = std::to_string(5 * ((flight + pressing) % 21));
    values.score = score;
    values.summary = {values.classCaption, "72.9 High Speed Points", "13.8 Low Speed Points", "100.0 Scale Points",
                      values.landingPoints + ".0 Landing Points", score + " Total Score"};
    return values;
}

// A flight every two minutes from start, into the current contest.
void fillContest(const journal::Database &db, int flights, std::time_t start)
{
    for (int flight = 0; flight < flights; ++flight) {
        const std::time_t now = start + flight * 120;
        const std::string recordedAt = journal::localTimeText(now, "%Y-%m-%dT%H:%M:%S%z");
        journal::Statement(db, "INSERT INTO flight (uuid, contest) VALUES (" ORLO_NEW_UUID ", " ORLO_CURRENT_CONTEST ")").run();
        const std::int64_t flightId = db.lastInsertedRow();
        const int pressings = flight % 4 == 0 ? 2 : 1;
        for (int pressing = 0; pressing < pressings; ++pressing)
            journal::insertCalculation(db, flightId, flightScore(flight, pressing), recordedAt);
        if (flight % 5 != 0)
            journal::nameContestant(db, flightId, "Contestant " + std::to_string(flight % 400 + 1), recordedAt);
    }
}

constexpr std::time_t seasonStart = 1780000000; // May 2026

// The contests into the file in one transaction of the bench's own: the
// journal commits each calculation to the disk as it is scored.
bool fill(const std::string &path, int contests, int flightsEach)
{
    journal::JournalNotice notice;
    try {
        const journal::Database db = journal::openJournal(path, journal::Access::Record, notice);
        journal::WriteTransaction transaction(db);
        constexpr std::time_t fortnight = 14 * 24 * 3600;
        for (int contest = 0; contest < contests; ++contest) {
            const std::time_t start = seasonStart + contest * fortnight;
            // The journal's own first contest takes the first flights, as in a journal of one contest.
            if (contest > 0) {
                journal::NewContest next;
                next.name = "Contest " + std::to_string(contest + 1);
                next.firstDay = journal::localTimeText(start, "%Y-%m-%d");
                next.lastDay = journal::localTimeText(start + flightsEach * 120, "%Y-%m-%d");
                journal::startContest(db, next);
            }
            fillContest(db, flightsEach, start);
        }
        transaction.commit();
        journal::checkpoint(db);
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

} // namespace

bool fillJournal(const std::string &path, int flights)
{
    return fill(path, 1, flights);
}

bool fillSeason(const std::string &path, int contests, int flightsEach)
{
    return fill(path, contests, flightsEach);
}

SeasonJournals::SeasonJournals(const std::string &folder, int contests, int flightsEach)
    : m_one(folder + "/one-contest.sqlite"), m_season(folder + "/season.sqlite"), m_contests(contests),
      m_flightsEach(flightsEach)
{
    m_filled = fillJournal(m_one, flightsEach) && fillSeason(m_season, contests, flightsEach);
}

void timeBest(Took &best, const std::function<void()> &work)
{
    const auto coreMs = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    };
    const auto start = std::chrono::steady_clock::now();
    const double startCore = coreMs();
    work();
    best.coreMs = std::min(best.coreMs, coreMs() - startCore);
    best.ms = std::min(best.ms, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

void SeasonJournals::compare(const char *what, const std::function<Took(const std::string &)> &time) const
{
    const std::vector<journal::SeasonContest> contests = journal::JournalReader(m_season).contests();
    journal::ContestJournal director(m_season);
    const Took alone = time(m_one);
    director.makeCurrent(contests.back().id);
    const Took last = time(m_season);
    director.makeCurrent(contests.front().id);
    const Took first = time(m_season);
    director.makeCurrent(contests.back().id);
    std::printf("%s: 1 contest of %d flights %.1f ms (%.1f ms of a core); %d contests x %d flights, the last current "
                "%.1f ms (%.1f ms of a core, %.2f), the first current %.1f ms (%.1f ms of a core, %.2f)\n",
                what, m_flightsEach, alone.ms, alone.coreMs, m_contests, m_flightsEach, last.ms, last.coreMs,
                last.coreMs / alone.coreMs, first.ms, first.coreMs, first.coreMs / alone.coreMs);
    std::fflush(stdout);
}

} // namespace orlo::bench
