#pragma once

#include "event_classes.h"
#include "sheet_fields.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace orlo {

// A control of the score sheet as the program starts: its text (a caption
// for an option, a label or a button), whether it shows, whether it is the
// selected option of its group, whether the operator may type into it.
struct StartingControl {
    Ctl control;
    std::string_view text;
    bool visible = true;
    bool selected = false;
    bool readOnly = false;
};

// Every control the rules read or write, as the window and the headless
// sheet both start it.
inline constexpr std::array<StartingControl, 28> sheetAtStart{{
    {ctl::Class(0), eventClasses[0].caption},
    {ctl::Class(1), eventClasses[1].caption},
    {ctl::Class(2), eventClasses[2].caption},
    {ctl::Class(3), eventClasses[3].caption},
    {ctl::Class(4), eventClasses[4].caption},
    {ctl::Class(5), eventClasses[5].caption},
    {ctl::HS_Watch(0), "0.0"},
    {ctl::HS_Watch(1), "0.0"},
    {ctl::HS_Time, "0.0", true, false, true},
    {ctl::HS_MPH, "0.0", true, false, true},
    {ctl::HS_Points, "0.0", true, false, true},
    {ctl::LS_Watch(0), "0.0"},
    {ctl::LS_Watch(1), "0.0"},
    {ctl::LS_Time, "0.0", true, false, true},
    {ctl::LS_MPH, "0.0", true, false, true},
    {ctl::LS_Points, "0.0", true, false, true},
    {ctl::Engines(0), "1"},
    {ctl::lblRunning, "# of Engines Running at End of High Speed:", false},
    {ctl::Engines(1), "1", false},
    {ctl::ScalePts(0), "0", true, true},
    {ctl::ScalePts(1), "100"},
    {ctl::LandingPts, "0"},
    {ctl::Score, "0", true, false, true},
    {ctl::Summary, "", false},
    {ctl::Command1, "Landing Points"},
    {ctl::Command2, "Calc. Score"},
    {ctl::Command3, "Reset"},
    {ctl::Command4, "Exit"},
}};

// The starting state of a control of the table.
constexpr const StartingControl &atStart(Ctl control)
{
    for (const StartingControl &entry : sheetAtStart)
        if (entry.control == control)
            return entry;
    throw std::logic_error("no such control on the score sheet");
}

} // namespace orlo
