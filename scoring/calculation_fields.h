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

// One text of a calculation and how the sheet shows it. The rooms that keep
// a calculation name their own columns for it, keyed by the text.
struct CalculationField {
    std::string CalculationRecord::*text;
    ShownAs shownAs;
    Ctl control;
};

// Every text of a calculation, in the sheet's order. The summary, a list of
// lines, is kept after them all.
inline constexpr std::array calculationFields{
    CalculationField{&CalculationRecord::classCaption, ShownAs::ChosenClass, ctl::Class(0)},
    CalculationField{&CalculationRecord::highSpeedWatch1, ShownAs::Text, ctl::HS_Watch(0)},
    CalculationField{&CalculationRecord::highSpeedWatch2, ShownAs::Text, ctl::HS_Watch(1)},
    CalculationField{&CalculationRecord::highSpeedTime, ShownAs::Text, ctl::HS_Time},
    CalculationField{&CalculationRecord::highSpeedMph, ShownAs::Text, ctl::HS_MPH},
    CalculationField{&CalculationRecord::highSpeedPoints, ShownAs::Text, ctl::HS_Points},
    CalculationField{&CalculationRecord::lowSpeedWatch1, ShownAs::Text, ctl::LS_Watch(0)},
    CalculationField{&CalculationRecord::lowSpeedWatch2, ShownAs::Text, ctl::LS_Watch(1)},
    CalculationField{&CalculationRecord::lowSpeedTime, ShownAs::Text, ctl::LS_Time},
    CalculationField{&CalculationRecord::lowSpeedMph, ShownAs::Text, ctl::LS_MPH},
    CalculationField{&CalculationRecord::lowSpeedPoints, ShownAs::Text, ctl::LS_Points},
    CalculationField{&CalculationRecord::enginesEntered, ShownAs::Text, ctl::Engines(0)},
    CalculationField{&CalculationRecord::enginesRunning, ShownAs::Text, ctl::Engines(1)},
    CalculationField{&CalculationRecord::scalePoints, ShownAs::ChosenOption, ctl::ScalePts(0)},
    CalculationField{&CalculationRecord::landingPoints, ShownAs::Text, ctl::LandingPts},
    CalculationField{&CalculationRecord::engineBonus, ShownAs::EngineBonus, ctl::Summary},
    CalculationField{&CalculationRecord::score, ShownAs::Text, ctl::Score},
};

// Whether a room's table of columns, each keyed by its .text, names every
// text of a calculation exactly once: a text added to the sheet and
// forgotten in a room stops that room's build.
template <typename Columns>
constexpr bool keepsEveryField(const Columns &columns)
{
    if (columns.size() != calculationFields.size())
        return false;
    for (const CalculationField &field : calculationFields) {
        int kept = 0;
        for (const auto &column : columns)
            kept += column.text == field.text ? 1 : 0;
        if (kept != 1)
            return false;
    }
    return true;
}

// The summary's line for the multiple engine bonus, and the bonus it shows.
inline constexpr std::string_view engineBonusPoints = "20.0";
inline constexpr std::string_view engineBonusLine = " 20.0 Multiple Engine Bonus";

} // namespace orlo
