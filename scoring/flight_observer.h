#pragma once

#include <string>
#include <vector>

namespace orlo {

// What the sheet showed after a press of "Calc. Score" that wrote a score:
// every text exactly as it stood, so a disputed score can be traced to the
// readings that produced it. Each text is one row of calculationFields
// (calculation_fields.h), which says where the sheet shows it and where the
// journal, the export and the flights window keep it.
struct CalculationRecord {
    std::string classCaption;
    std::string highSpeedWatch1, highSpeedWatch2;
    std::string lowSpeedWatch1, lowSpeedWatch2;
    std::string highSpeedTime, highSpeedMph, highSpeedPoints;
    std::string lowSpeedTime, lowSpeedMph, lowSpeedPoints;
    std::string enginesEntered, enginesRunning;
    std::string scalePoints;
    std::string landingPoints;
    std::string engineBonus; // "20.0" for a multiple engine flight; empty without the bonus
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
