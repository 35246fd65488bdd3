#pragma once

#include "sheet_fields.h"

#include <array>
#include <functional>
#include <optional>

namespace orlo {

// A control of the score sheet that can hold the focus, in tab-index order;
// the ones that are no tab stops take the focus only when clicked.
struct TabEntry {
    Ctl control;
    bool tabStop;
};

inline constexpr std::array<TabEntry, 27> sheetTabOrder{{
    {ctl::LandingPts, false},  {ctl::Class(0), true},     {ctl::Class(1), true},     {ctl::Class(2), true},
    {ctl::Class(4), true},     {ctl::Class(5), true},     {ctl::HS_Watch(0), true},  {ctl::HS_Watch(1), true},
    {ctl::LS_Watch(0), true},  {ctl::LS_Watch(1), true},  {ctl::Engines(0), true},   {ctl::Engines(1), true},
    {ctl::ScalePts(0), true},  {ctl::ScalePts(1), true},  {ctl::Command1, true},     {ctl::Command2, true},
    {ctl::Class(3), true},     {ctl::Command3, true},     {ctl::HS_MPH, false},      {ctl::HS_Points, false},
    {ctl::LS_MPH, false},      {ctl::LS_Points, false},   {ctl::HS_Time, false},     {ctl::LS_Time, false},
    {ctl::Summary, false},     {ctl::Score, false},       {ctl::Command4, true},
}};

bool isOption(Ctl control);

// The stop the Tab key (forward) or Shift+Tab reaches from a control, or from
// the start when it is none. An option group is one stop: its selected
// option, at that option's own place (every option while none is selected).
// `shown` says whether a control can take the focus now, `selected` whether
// an option is selected.
std::optional<Ctl> nextTabStop(std::optional<Ctl> from, bool forward, const std::function<bool(Ctl)> &shown,
                               const std::function<bool(Ctl)> &selected);

} // namespace orlo
