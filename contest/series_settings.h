#pragma once

#include <string>
#include <vector>

namespace orlo::contest {

// How a contest's result in a class becomes series points: by the place,
// from a table of points; as a share of the class winner's score; or the
// place itself, lowest total winning, as sailors score.
enum class SeriesScheme { PlacePoints, PerCentOfWinner, LowPoint };
// Contestants tied on a place under place points: each gets the mean of the
// points of the places they hold together, or each the points of the higher.
enum class SharedPlaces { MeanOfPoints, HigherPoints };
// Which of a contestant's contests count: every one, the best few, or all
// but the worst few once enough contests are flown.
enum class CountedContests { All, Best, AllButWorst };

// The points of the first places by default; places below them earn none.
// Made when asked: a variable would be made as the program starts, in every
// file that includes this one.
inline std::vector<std::string> defaultPlacePoints()
{
    return {"10", "8", "6", "5", "4", "3", "2", "1"};
}

// The director's rule for one class, or one combination, of the series.
struct SeriesRule {
    std::string caption; // the class's caption or the combination's name
    SeriesScheme scheme = SeriesScheme::PlacePoints;
    std::vector<std::string> placePoints = defaultPlacePoints(); // decimal texts, the first place's first
    SharedPlaces sharedPlaces = SharedPlaces::MeanOfPoints;

    friend bool operator==(const SeriesRule &, const SeriesRule &) = default;
};

// Two spellings of a name the director has seen side by side, and whether
// they are one contestant's (joined) or two contestants' (kept apart).
struct NameChoice {
    std::string first, second; // tidy names
    bool joined = false;

    friend bool operator==(const NameChoice &, const NameChoice &) = default;
};

// A series: points added up across the season's contests.
struct SeriesSettings {
    std::string name;
    std::vector<std::string> contests; // the contests counted, by identifier; empty: every contest
    std::vector<SeriesRule> rules;     // a class or combination without one has the default rule
    CountedContests counted = CountedContests::All;
    int best = 0;    // the best N that count
    int worst = 0;   // the worst N dropped ...
    int dropFrom = 0; // ... once at least M contests are flown
    std::vector<NameChoice> names;

    friend bool operator==(const SeriesSettings &, const SeriesSettings &) = default;
};

// The rule of the class or combination; the default rule when it has none of its own.
SeriesRule seriesRuleFor(const SeriesSettings &series, const std::string &caption);
// Whether the series counts the contest of that identifier.
bool seriesCounts(const SeriesSettings &series, const std::string &contest);

} // namespace orlo::contest
