#pragma once

#include <string>
#include <vector>

namespace orlo::contest {

// How a class's standing is counted: the best official flight, or the sum of
// the best few.
enum class Counting { BestFlight, SumOfBest };
// Tied contestants share the place (1, 2, 2, 4), or the next-best official
// flight breaks the tie, then the third-best and so on among those allowed, a
// flight beating no flight; only a tie left after all of them is shared.
enum class TieRule { Shared, NextBest };

// The director's rule for one class. A class with flights and no rule of its
// own is counted by the defaults shown here, which the director sees and can change.
struct ClassRule {
    std::string caption;
    Counting counting = Counting::BestFlight;
    int counted = 1;         // K of the sum of the best K
    int officialFlights = 2; // official flights allowed; later ones are listed and not counted
    TieRule ties = TieRule::Shared;
    bool final = false;      // the director closed the class
    std::string finalAt;     // when, local time with offset; empty while provisional

    friend bool operator==(const ClassRule &, const ClassRule &) = default;
};

// An award across classes: the sum of each class's counted score.
struct Combination {
    std::string name; // "Profile + Class I + Class II"
    std::vector<std::string> classes;

    friend bool operator==(const Combination &, const Combination &) = default;
};

// The contest: its name, days, class rules and combinations.
struct ContestSettings {
    std::string name;
    std::string firstDay, lastDay; // "YYYY-MM-DD"; empty when not set
    std::vector<ClassRule> classes;
    std::vector<Combination> combinations;

    friend bool operator==(const ContestSettings &, const ContestSettings &) = default;
};

} // namespace orlo::contest
