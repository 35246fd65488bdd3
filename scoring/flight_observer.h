#pragma once

#include <array>
#include <string>
#include <vector>

namespace orlo {

// What the sheet showed after a press of "Calc. Score" that wrote a score:
// every text exactly as it stood, so a disputed score can be traced to the
// readings that produced it.
struct CalculationRecord {
    std::string classCaption;
    std::array<std::string, 2> highSpeedWatches;
    std::array<std::string, 2> lowSpeedWatches;
    std::string highSpeedTime, highSpeedMph, highSpeedPoints;
    std::string lowSpeedTime, lowSpeedMph, lowSpeedPoints;
    std::array<std::string, 2> engines; // entered, still running
    std::string scalePoints;
    std::string landingPoints;
    std::string score;
    std::vector<std::string> summary; // the summary lines as shown

    friend bool operator==(const CalculationRecord &, const CalculationRecord &) = default;
};

// Told by the sheet what happens to the flight on it. A flight is what the
// sheet holds between start-up or Reset and the next Reset or Exit.
class FlightObserver {
public:
    virtual ~FlightObserver() = default;
    virtual void calculated(const CalculationRecord &calculation) = 0;
    virtual void flightEnded() = 0; // Reset, Exit or close: the next calculation starts a new flight
};

} // namespace orlo
