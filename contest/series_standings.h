#pragma once

#include "series_contestants.h"
#include "series_settings.h"
#include "standings.h"

#include <cstddef>
#include <string>
#include <vector>

namespace orlo::contest {

// A contest of the series with its results, ranked as the contest's own
// results are.
struct SeriesContest {
    std::string id; // the contest's identifier across journals
    std::string name;
    Results results;
};

// A contestant's points from one contest of a class's series.
struct SeriesPoints {
    std::string points; // empty where the contestant earned none
    bool flown = false;   // placed in that contest
    bool counted = false; // part of the total; the others are dropped

    friend bool operator==(const SeriesPoints &, const SeriesPoints &) = default;
};

struct SeriesStanding {
    std::string place;
    int rank = 0;
    std::string contestant;
    std::string number;
    std::vector<SeriesPoints> contests; // one for each contest of the table
    std::string total;

    friend bool operator==(const SeriesStanding &, const SeriesStanding &) = default;
};

// A class's or combination's series: its contests (those of the series that
// held it, in the season's order), ranked.
struct SeriesTable {
    SeriesRule rule;
    bool combination = false;
    std::vector<std::string> contests; // the contests' names
    std::vector<SeriesStanding> rows;
    // The contests in which the class, or a class of the combination, is not final yet.
    std::vector<std::string> stillRunning;

    friend bool operator==(const SeriesTable &, const SeriesTable &) = default;
};

struct SeriesStandings {
    SeriesSettings series;
    std::vector<std::string> contests; // the names of the contests counted with flights, in the season's order
    std::vector<SeriesTable> tables; // the classes in the order first held, then the combinations
    std::vector<NearName> nearNames; // for the director to join or keep apart
    bool provisional() const;

    friend bool operator==(const SeriesStandings &, const SeriesStandings &) = default;
};

// The series of the contests given (those the series counts, in the
// season's order), each class and combination held in any of them, or only
// those named. Points are exact decimals; the contests' standings are taken
// as their own ranking made them.
SeriesStandings rankSeries(const SeriesSettings &series, const std::vector<SeriesContest> &contests,
                           const std::vector<std::string> &captions = {});

} // namespace orlo::contest
