// fill_contest FILE: a small contest day in a new journal, for the pictures
// of the Standings window and the results sheet: three classes, two official
// flights for most, an attempt, one contestant still to fly, the contest's
// name and days and a combined award.

#include "contest_journal.h"
#include "flight_journal.h"
#include "journal_reader.h"

#include <cstdio>
#include <string>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;

namespace {

std::string tenths(int value)
{
    return std::to_string(value / 10) + "." + std::to_string(value % 10);
}

// A flight's parts in tenths of a point, and its total as the sheet adds them.
CalculationRecord flight(const std::string &caption, int highSpeed, int lowSpeed, int scale, int landing, bool bonus)
{
    CalculationRecord values;
    values.classCaption = caption;
    values.highSpeedPoints = tenths(highSpeed);
    values.lowSpeedPoints = tenths(lowSpeed);
    values.enginesEntered = bonus ? "2" : "1";
    values.enginesRunning = values.enginesEntered;
    values.engineBonus = bonus ? "20.0" : "";
    values.scalePoints = std::to_string(scale);
    values.landingPoints = std::to_string(landing);
    values.score = tenths(highSpeed + lowSpeed + (bonus ? 200 : 0) + 10 * (scale + landing));
    values.summary = {caption, values.score + " Total Score"};
    return values;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fill_contest FILE\n");
        return 2;
    }
    const std::string path = argv[1];
    struct Flown {
        const char *name, *number, *caption;
        int highSpeed, lowSpeed, landing;
        bool bonus;
    };
    const Flown flights[] = {
        {"Hal Ivers", "12", "Class I", 1512, 203, 100, false},   {"Ann Lee", "17", "Class I", 1486, 211, 100, false},
        {"B. Okafor", "4", "Class I", 1433, 198, 50, false},     {"Hal Ivers", "12", "Class I", 1530, 207, 50, false},
        {"Ann Lee", "17", "Class I", 1502, 215, 100, false},     {"C. Duarte", "22", "Class I", 1395, 188, 25, false},
        {"Ann Lee", "17", "Class II", 1611, 226, 100, true},     {"Rita Voss", "31", "Class II", 1588, 219, 50, true},
        {"Hal Ivers", "12", "Class II", 1575, 231, 100, false},  {"Rita Voss", "31", "Class II", 1602, 224, 100, true},
        {"Ann Lee", "17", "Profile", 1288, 176, 100, false},     {"Tom Reyes", "8", "Profile", 1254, 181, 50, false},
        {"Hal Ivers", "12", "Profile", 1301, 169, 25, false},    {"Tom Reyes", "8", "Profile", 1297, 185, 100, false},
        {"Mia Chen", "19", "Profile", 0, 0, 0, false},
    };
    FlightJournal journal(path);
    const JournalReader reader(path);
    for (const Flown &flown : flights) {
        const int scale = std::string(flown.caption) == "Profile" ? 10 : 100;
        journal.calculated(flight(flown.caption, flown.highSpeed, flown.lowSpeed, scale, flown.landing, flown.bonus));
        if (!journal.setContestant(reader.flights().front().id, flown.name))
            return 1;
        journal.flightEnded();
    }
    ContestJournal contest(path);
    // Mia Chen's flight had no low-speed signal: an attempt.
    contest.setStatus(reader.flights().front().id, FlightStatus::Attempt, "no low-speed signal");
    for (const Entry &entry : reader.entries())
        for (const Flown &flown : flights)
            if (entry.name == flown.name && entry.number.empty())
                contest.setNumber(entry.id, flown.number);
    contest.add({"Jo Park", "27", {"Class I", "Profile"}});
    ContestSettings settings;
    settings.name = "Autumn Carrier Contest";
    settings.firstDay = "2026-10-10";
    settings.lastDay = "2026-10-11";
    settings.combinations.push_back({"Profile + Class I + Class II", {"Profile", "Class I", "Class II"}});
    contest.setContest(settings);
    return journal.finish() == 0 ? 0 : 1;
}
