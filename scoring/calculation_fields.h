#pragma once

#include "flight_observer.h"
#include "sheet_fields.h"

#include <array>
#include <string_view>

namespace orlo {

// How the sheet shows a text of a calculation.
enum class ShownAs {
    Text,         // the text of the field
    ChosenClass,  // the caption of the class chosen
    ChosenOption, // the caption of the option of the field's group that is selected
    EngineBonus,  // the bonus of the summary's bonus line
};

// Where the flights window's history of a flight shows a text.
enum class InHistory {
    Column,       // a column of its own, under historyHeading
    WithPrevious, // after the text before it, "12.3 / 12.4"
};

// One text of a calculation: where the sheet shows it, and where the
// journal, the export and the flights window's history keep it. csvPlace
// counts the export's columns after the flight's number, contestant, count
// and time.
struct CalculationField {
    std::string CalculationRecord::*text;
    ShownAs shownAs;
    Ctl control;
    std::string_view column;
    int csvPlace;
    std::string_view csvHeading;
    InHistory inHistory;
    std::string_view historyHeading;
};

// Every text of a calculation, in the sheet's order, which the history
// keeps. The summary, a list of lines, is kept after them all.
inline constexpr std::array calculationFields{
    CalculationField{&CalculationRecord::classCaption, ShownAs::ChosenClass, ctl::Class(0), "class_caption", 1,
                     "Class", InHistory::Column, "Class"},
    CalculationField{&CalculationRecord::highSpeedWatch1, ShownAs::Text, ctl::HS_Watch(0), "hs_watch_1", 2,
                     "HS watch 1", InHistory::Column, "HS Watches"},
    CalculationField{&CalculationRecord::highSpeedWatch2, ShownAs::Text, ctl::HS_Watch(1), "hs_watch_2", 3,
                     "HS watch 2", InHistory::WithPrevious, ""},
    CalculationField{&CalculationRecord::highSpeedTime, ShownAs::Text, ctl::HS_Time, "hs_time", 6, "HS time",
                     InHistory::Column, "HS Avg. Time"},
    CalculationField{&CalculationRecord::highSpeedMph, ShownAs::Text, ctl::HS_MPH, "hs_mph", 7, "HS MPH",
                     InHistory::Column, "HS MPH"},
    CalculationField{&CalculationRecord::highSpeedPoints, ShownAs::Text, ctl::HS_Points, "hs_points", 8, "HS points",
                     InHistory::Column, "HS Points"},
    CalculationField{&CalculationRecord::lowSpeedWatch1, ShownAs::Text, ctl::LS_Watch(0), "ls_watch_1", 4,
                     "LS watch 1", InHistory::Column, "LS Watches"},
    CalculationField{&CalculationRecord::lowSpeedWatch2, ShownAs::Text, ctl::LS_Watch(1), "ls_watch_2", 5,
                     "LS watch 2", InHistory::WithPrevious, ""},
    CalculationField{&CalculationRecord::lowSpeedTime, ShownAs::Text, ctl::LS_Time, "ls_time", 9, "LS time",
                     InHistory::Column, "LS Avg. Time"},
    CalculationField{&CalculationRecord::lowSpeedMph, ShownAs::Text, ctl::LS_MPH, "ls_mph", 10, "LS MPH",
                     InHistory::Column, "LS MPH"},
    CalculationField{&CalculationRecord::lowSpeedPoints, ShownAs::Text, ctl::LS_Points, "ls_points", 11, "LS points",
                     InHistory::Column, "LS Points"},
    CalculationField{&CalculationRecord::enginesEntered, ShownAs::Text, ctl::Engines(0), "engines_entered", 12,
                     "Engines", InHistory::Column, "Engines"},
    CalculationField{&CalculationRecord::enginesRunning, ShownAs::Text, ctl::Engines(1), "engines_running", 13,
                     "Engines running", InHistory::Column, "Running"},
    CalculationField{&CalculationRecord::scalePoints, ShownAs::ChosenOption, ctl::ScalePts(0), "scale_points", 14,
                     "Scale points", InHistory::Column, "Scale"},
    CalculationField{&CalculationRecord::landingPoints, ShownAs::Text, ctl::LandingPts, "landing_points", 15,
                     "Landing points", InHistory::Column, "Landing"},
    CalculationField{&CalculationRecord::engineBonus, ShownAs::EngineBonus, ctl::Summary, "engine_bonus", 16,
                     "Engine bonus", InHistory::Column, "Engine Bonus"},
    CalculationField{&CalculationRecord::score, ShownAs::Text, ctl::Score, "score", 17, "Score", InHistory::Column,
                     "Score"},
};

// The summary's line for the multiple engine bonus, and the bonus it shows.
inline constexpr std::string_view engineBonusPoints = "20.0";
inline constexpr std::string_view engineBonusLine = " 20.0 Multiple Engine Bonus";

} // namespace orlo
