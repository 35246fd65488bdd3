#include "score_sheet.h"

#include "conversions.h"
#include "handler_failure.h"
#include "sheet_messages.h"

#include <cmath>

namespace orlo {

using namespace ctl;

// Adds a run's readings above 0 into its time field, which holds the running
// sum: every partial sum is rounded to 15 digits on the way, and the published
// averages depend on it. A negative reading is sent back to the operator and
// ends the handler (nullopt), the sum so far left in the time field.
std::optional<int> ScoreSheet::addUpReadings(Name watch, Ctl timeField, std::string_view negativeMessage)
{
    int readings = 0;
    for (int i = 0; i <= 1; ++i) {
        const double reading = watchReadingValue(m_fields.text({watch, i}));
        if (!(reading >= 0)) {
            reject({watch, i}, negativeMessage);
            return std::nullopt;
        }
        if (reading > 0) {
            const double sum = checked::add(Strict_Value(m_fields.text(timeField)), reading);
            m_fields.setText(timeField, Number_Text(sum));
            ++readings;
        }
    }
    return readings;
}

// A run that cannot be worked out (readings whose sum or speed lies beyond
// any number) keeps the time reached so far but no speed and no points, as
// a run without readings: no points from earlier readings stay on the sheet
// and count in the score.
void ScoreSheet::HS_Watch_LostFocus(int index)
try {
    m_fields.setText(HS_Time, "0");
    m_fields.setText(HS_MPH, "0");
    const auto readings = addUpReadings(Name::HS_Watch, HS_Time, messages::negativeHighSpeedTime);
    if (!readings)
        return;

    const double sum = Strict_Value(m_fields.text(HS_Time));
    if (sum == 0) {
        dropHighSpeedPoints();
        if (index == 1)
            reject(HS_Watch(0), messages::noHighSpeedTime);
        return;
    }
    m_fields.setText(HS_Time, Number_Text(checked::divide(sum, *readings)));
    m_fields.setText(HS_MPH, Number_Text(MPH(HS_Time)));
    // One point per mile per hour, to a tenth.
    m_fields.setText(HS_Points, Format_Pattern(m_fields.text(HS_MPH), Pattern::OneDecimal));
    if (Strict_Value(m_fields.text(LS_Time)) > 0)
        setLowSpeedPoints(lowSpeedPointsFromTimes());
} catch (const HandlerAbandoned &) {
    m_fields.setText(HS_MPH, "0");
    dropHighSpeedPoints();
    throw;
}

// A high-speed run without a usable time has no points, and nor does the
// low-speed run measured against it.
void ScoreSheet::dropHighSpeedPoints()
{
    m_fields.setText(HS_Points, "0.0");
    if (Strict_Value(m_fields.text(LS_Time)) > 0)
        setLowSpeedPoints("0.0");
}

void ScoreSheet::LS_Watch_LostFocus(int /*index*/)
try {
    m_fields.setText(LS_Time, "0");
    const auto readings = addUpReadings(Name::LS_Watch, LS_Time, messages::negativeLowSpeedTime);
    if (!readings)
        return;

    const double sum = Strict_Value(m_fields.text(LS_Time));
    if (sum == 0) {
        m_fields.setText(LS_MPH, "0");
        setLowSpeedPoints("0.0");
        return;
    }
    m_fields.setText(LS_Time, Number_Text(checked::divide(sum, *readings)));
    m_fields.setText(LS_MPH, Number_Text(MPH(LS_Time)));
    setLowSpeedPoints(lowSpeedPointsFromTimes());
} catch (const HandlerAbandoned &) {
    m_fields.setText(LS_MPH, "0");
    setLowSpeedPoints("0.0");
    throw;
}

// Ten points for a low-speed run as slow as the high-speed run was fast:
// ten times the ratio of the average times, multiplied before dividing.
// No points while the high-speed run has no time to compare with, nor for
// times so far apart that the ratio lies beyond any number: that failure is
// the low-speed run's, and leaves the high-speed run as it is.
std::string ScoreSheet::lowSpeedPointsFromTimes()
{
    const double lowSpeedTime = Strict_Value(m_fields.text(LS_Time));
    const double highSpeedTime = Strict_Value(m_fields.text(HS_Time));
    if (!(highSpeedTime > 0))
        return "0.0";
    const double points = (lowSpeedTime * 10) / highSpeedTime;
    if (!std::isfinite(points))
        return "0.0";
    return Format_Pattern(points, Pattern::OneDecimal);
}

void ScoreSheet::setLowSpeedPoints(const std::string &points)
{
    m_fields.setText(LS_Points, points);
    m_lowSpeedRunPoints = points;
}

} // namespace orlo
