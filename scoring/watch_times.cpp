#include "score_sheet.h"

#include "conversions.h"
#include "handler_failure.h"
#include "sheet_messages.h"

namespace orlo {

using namespace ctl;

// Both runs keep their running sum in the time field itself, so every partial
// sum is rounded to 15 digits on the way; the published averages depend on it.

void ScoreSheet::HS_Watch_LostFocus(int index)
{
    m_fields.setText(HS_Time, "0");
    int readings = 0;
    m_fields.setText(HS_MPH, "0");
    for (int i = 0; i <= 1; ++i) {
        const double reading = Lenient_Value(m_fields.text(HS_Watch(i)));
        if (!(reading >= 0)) {
            reject(HS_Watch(i), messages::negativeHighSpeedTime);
            return;
        }
        if (reading > 0) {
            const double sum = checked::add(Strict_Value(m_fields.text(HS_Time)), reading);
            m_fields.setText(HS_Time, Number_Text(sum));
            ++readings;
        }
    }

    const double sum = Strict_Value(m_fields.text(HS_Time));
    if (sum == 0) {
        // A run without a reading has no points, and nor does the low-speed
        // run measured against it.
        m_fields.setText(HS_Points, "0.0");
        if (Strict_Value(m_fields.text(LS_Time)) > 0)
            setLowSpeedPoints("0.0");
        if (index == 1)
            reject(HS_Watch(0), messages::noHighSpeedTime);
        return;
    }
    m_fields.setText(HS_Time, Number_Text(checked::divide(sum, readings)));
    m_fields.setText(HS_MPH, Number_Text(MPH(HS_Time)));
    // One point per mile per hour, to a tenth.
    m_fields.setText(HS_Points, Format_Pattern(m_fields.text(HS_MPH), Pattern::OneDecimal));
    if (Strict_Value(m_fields.text(LS_Time)) > 0)
        setLowSpeedPoints(lowSpeedPointsFromTimes());
}

void ScoreSheet::LS_Watch_LostFocus(int /*index*/)
{
    m_fields.setText(LS_Time, "0");
    int readings = 0;
    for (int i = 0; i <= 1; ++i) {
        const double reading = Lenient_Value(m_fields.text(LS_Watch(i)));
        if (!(reading >= 0)) {
            reject(LS_Watch(i), messages::negativeLowSpeedTime);
            return;
        }
        if (reading > 0) {
            const double sum = checked::add(Strict_Value(m_fields.text(LS_Time)), reading);
            m_fields.setText(LS_Time, Number_Text(sum));
            ++readings;
        }
    }

    const double sum = Strict_Value(m_fields.text(LS_Time));
    if (sum == 0) {
        m_fields.setText(LS_MPH, "0");
        setLowSpeedPoints("0.0");
        return;
    }
    m_fields.setText(LS_Time, Number_Text(checked::divide(sum, readings)));
    m_fields.setText(LS_MPH, Number_Text(MPH(LS_Time)));
    setLowSpeedPoints(lowSpeedPointsFromTimes());
}

// Ten points for a low-speed run as slow as the high-speed run was fast:
// ten times the ratio of the average times, multiplied before dividing.
// No points while the high-speed run has no time to compare with.
std::string ScoreSheet::lowSpeedPointsFromTimes()
{
    const double lowSpeedTime = Strict_Value(m_fields.text(LS_Time));
    const double highSpeedTime = Strict_Value(m_fields.text(HS_Time));
    if (!(highSpeedTime > 0))
        return "0.0";
    return Format_Pattern(checked::divide(checked::multiply(lowSpeedTime, 10), highSpeedTime),
                          Pattern::OneDecimal);
}

void ScoreSheet::setLowSpeedPoints(const std::string &points)
{
    m_fields.setText(LS_Points, points);
    m_lowSpeedRunPoints = points;
}

} // namespace orlo
