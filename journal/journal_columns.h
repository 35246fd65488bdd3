#pragma once

#include "flight_observer.h"

#include <array>

namespace orlo::journal {

// The texts of a calculation, in the order of ORLO_CALCULATION_COLUMNS.
template <typename Record>
auto textsOf(Record &record)
{
    return std::array{&record.classCaption,     &record.highSpeedWatches[0], &record.highSpeedWatches[1],
                      &record.lowSpeedWatches[0], &record.lowSpeedWatches[1],  &record.highSpeedTime,
                      &record.highSpeedMph,     &record.highSpeedPoints,     &record.lowSpeedTime,
                      &record.lowSpeedMph,      &record.lowSpeedPoints,      &record.engines[0],
                      &record.engines[1],       &record.scalePoints,         &record.landingPoints,
                      &record.score};
}

} // namespace orlo::journal

#define ORLO_CALCULATION_COLUMNS                                                                               \
    "recorded_at, class_caption, hs_watch_1, hs_watch_2, ls_watch_1, ls_watch_2, hs_time, hs_mph, hs_points, " \
    "ls_time, ls_mph, ls_points, engines_entered, engines_running, scale_points, landing_points, score, summary"
