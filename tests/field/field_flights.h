#pragma once

// A flight recorded into a journal as the sheet records it, and one made
// void as the director's correction does: for the field's tests and the
// browser test's second process.
#include "contest_journal.h"
#include "flight_journal.h"

#include <cstdint>
#include <string>

namespace orlo::test {

inline std::int64_t recordFlight(const std::string &path, const std::string &name, const std::string &caption,
                                 const std::string &score)
{
    journal::FlightJournal journal(path);
    CalculationRecord values;
    values.classCaption = caption;
    values.highSpeedPoints = score;
    values.score = score;
    values.summary = {caption, score + " Total Score"};
    journal.calculated(values);
    const std::int64_t flight = journal.flightOnTheSheet();
    if (flight == 0 || !journal.setContestant(flight, name))
        return 0;
    journal.flightEnded();
    return journal.finish() == 0 ? flight : 0;
}

inline void voidFlight(const std::string &path, std::int64_t flight)
{
    journal::ContestJournal contest(path);
    contest.setStatus(flight, contest::FlightStatus::Void, "a correction");
}

} // namespace orlo::test
