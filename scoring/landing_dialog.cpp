#include "landing_dialog.h"

#include "conversions.h"
#include "handler_failure.h"

#include <algorithm>
#include <iterator>

namespace orlo {

using namespace dialog;

LandingDialog::LandingDialog(DialogFields &fields, LandingPointsReceiver &sheet) : m_fields(fields), m_sheet(sheet)
{
}

void LandingDialog::load()
{
    runHandler([this] { Form_Load(); });
}

// The dialog opens on its first tab stop, which grades the landing as a
// normal arrest until the operator says otherwise.
void LandingDialog::shown()
{
    moveFocus(Option1(0));
}

void LandingDialog::focusTo(DialogCtl control)
{
    moveFocus(control);
}

void LandingDialog::optionSelected(int index)
{
    runHandler([&] { Option1_Click(index); });
}

void LandingDialog::buttonPressed()
{
    moveFocus(Command1);
    runHandler([this] { Command1_Click(); });
}

void LandingDialog::moveFocus(DialogCtl control)
{
    m_fields.setFocus(control);
    // An option that gains the focus becomes the selected one of its group.
    if (control.name == DialogName::Option1)
        selectOption(control.index);
}

void LandingDialog::selectOption(int index)
{
    if (m_fields.isSelected(index))
        return;
    m_fields.select(index);
    runHandler([&] { Option1_Click(index); });
}

void LandingDialog::Form_Load()
{
    for (int laps = 0; laps < missedLapChoices; ++laps)
        m_fields.addItem(Integer_Text(laps) + " landings missed");
    m_fields.setListIndex(0);
    m_points = 0;
}

void LandingDialog::Option1_Click(int index)
{
    // Only the last grade counts: each selection replaces the points.
    if (index >= 0 && index < static_cast<int>(std::size(pointsForOption)))
        m_points = pointsForOption[index];
}

void LandingDialog::Command1_Click()
{
    // The item at index n reads "n landings missed"; no selection is none missed.
    const int missedLaps = std::clamp(m_fields.listIndex(), 0, missedLapChoices - 1);
    m_points = static_cast<std::int16_t>(std::max(m_points - pointsPerMissedLap * missedLaps, 0));
    if (m_sheetOpen)
        m_sheet.landingPointsChosen(m_points);
    m_fields.closeDialog();
}

} // namespace orlo
