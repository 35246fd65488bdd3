#include "score_sheet.h"

#include "calculation_fields.h"
#include "conversions.h"
#include "handler_failure.h"
#include "sheet_messages.h"

namespace orlo {

using namespace ctl;

namespace {

// The counts of engines fitted and still running, compared as numbers: "2"
// and "2.0" are the same two engines. A running count that is no number
// differs from any.
bool sameEngineCount(const std::string &running, const std::string &fitted)
{
    return isCompleteNumber(running) && Strict_Value(running) == Strict_Value(fitted);
}

} // namespace

void ScoreSheet::Command2_Click()
{
    show(Summary, true);
    m_fields.clearList(Summary);
    m_fields.addItem(Summary, m_fields.caption(Class(m_classIndex)));

    double total = Lenient_Value(m_fields.text(HS_Points));
    m_fields.addItem(Summary, Format_Pattern(total, Pattern::OneDecimalNoZero) + " High Speed Points");

    // The halving for a stopped engine starts from the points the low-speed
    // run produced, never from an earlier halving, so a score does not depend
    // on how often the button is pressed.
    if (!m_lowSpeedRunPoints)
        m_lowSpeedRunPoints = m_fields.text(LS_Points);
    const std::string runPoints = *m_lowSpeedRunPoints;

    // Halved for an engine that stopped, and listed as they count.
    const std::string engines = m_fields.text(Engines(0));
    const bool countReadable = isCompleteNumber(engines);
    const bool multiEngine = countReadable && Strict_Value(engines) > 1;
    std::string lowSpeedPoints = runPoints;
    if (multiEngine && !sameEngineCount(m_fields.text(Engines(1)), engines)) {
        const double runValue = Strict_Value(runPoints);
        if (runValue > 0)
            lowSpeedPoints = Number_Text(checked::divide(runValue, 2));
    }
    // An unreadable count halves and writes nothing: the list then shows the
    // low-speed points as the field beside it still holds them.
    const std::string listed = countReadable ? lowSpeedPoints : m_fields.text(LS_Points);
    m_fields.addItem(Summary, Format_Pattern(listed, Pattern::OneDecimalNoZero) + " Low Speed Points");
    if (!countReadable) {
        // No total from this sheet, and none left over from another flight.
        m_fields.setText(Score, "0");
        reject(Engines(0), messages::badEngineCount);
        return;
    }
    if (multiEngine) {
        total = checked::add(total, 20);
        m_fields.addItem(Summary, engineBonusLine);
    }
    if (m_fields.text(LS_Points) != lowSpeedPoints)
        m_fields.setText(LS_Points, lowSpeedPoints);

    double scale = 0;
    if (m_fields.isSelected(ScalePts(1)))
        scale = Lenient_Value(m_fields.caption(ScalePts(1)));
    m_fields.addItem(Summary, Format_Pattern(scale, Pattern::OneDecimalNoZero) + " Scale Points");
    const std::string landing = m_fields.text(LandingPts);
    m_fields.addItem(Summary, Format_Pattern(landing, Pattern::OneDecimalNoZero) + " Landing Points");

    total = checked::add(checked::add(checked::add(total, Lenient_Value(m_fields.text(LS_Points))), scale),
                         Lenient_Value(landing));
    m_fields.setText(Score, Format_Pattern(total, Pattern::OneDecimal));
    m_fields.addItem(Summary, Format_Pattern(m_fields.text(Score), Pattern::OneDecimalNoZero) + " Total Score");
}

} // namespace orlo
