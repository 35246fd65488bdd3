#pragma once

#include "flight_status.h"

#include <cstdint>
#include <string>

namespace orlo::contest {

// A flight as the ranking sees it: its contestant, its status and, of its
// last calculation, the class, the score and the points.
struct ScoredFlight {
    std::int64_t id = 0; // in the order recorded into this journal
    std::string contestant; // the entry's name, or the name typed when none is linked
    std::int64_t entry = 0; // 0: no contestant named
    std::string number;     // the contestant's
    FlightStatus status = FlightStatus::Official;
    std::string classCaption;
    std::string score; // as the sheet showed it, "312.5"
    std::string highSpeedPoints, lowSpeedPoints, engineBonus, scalePoints, landingPoints;
    std::string recordedAt; // of the last calculation, local time with offset
    // Of the first calculation, as recordedAt: when the flight was flown.
    // Empty when not known; such flights go by their id.
    std::string flownAt;
};

} // namespace orlo::contest
