#include "journal_filler.h"

#include "contest_store.h"
#include "journal_columns.h"
#include "journal_steps.h"

#include <array>
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

} // namespace

// The season goes into the file in one transaction of the bench's own: the
// journal commits each calculation to the disk as it is scored.
bool fillJournal(const std::string &path, int flights)
{
    journal::JournalNotice notice;
    try {
        const journal::Database db = journal::openJournal(path, journal::Access::Record, notice);
        journal::WriteTransaction transaction(db);
        constexpr std::time_t seasonStart = 1780000000; // May 2026
        for (int flight = 0; flight < flights; ++flight) {
            const std::time_t now = seasonStart + flight * 120; // a flight every two minutes
            const std::string recordedAt = journal::localTimeText(now, "%Y-%m-%dT%H:%M:%S%z");
            journal::Statement(db, "INSERT INTO flight (uuid, contest) VALUES (" ORLO_NEW_UUID ", " ORLO_CURRENT_CONTEST ")").run();
            const std::int64_t flightId = db.lastInsertedRow();
            const int pressings = flight % 4 == 0 ? 2 : 1;
            for (int pressing = 0; pressing < pressings; ++pressing)
                journal::insertCalculation(db, flightId, flightScore(flight, pressing), recordedAt);
            if (flight % 5 != 0)
                journal::nameContestant(db, flightId, "Contestant " + std::to_string(flight % 400 + 1), recordedAt);
        }
        transaction.commit();
        journal::checkpoint(db);
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

} // namespace orlo::bench
