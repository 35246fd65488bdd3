#include "score_sheet.h"

namespace orlo {

using namespace ctl;

// Every text of a finished calculation as the sheet shows it, for the journal.
CalculationRecord ScoreSheet::shownCalculation() const
{
    CalculationRecord shown;
    shown.classCaption = m_fields.caption(Class(m_classIndex));
    for (int i = 0; i <= 1; ++i) {
        shown.highSpeedWatches[i] = m_fields.text(HS_Watch(i));
        shown.lowSpeedWatches[i] = m_fields.text(LS_Watch(i));
        shown.engines[i] = m_fields.text(Engines(i));
    }
    shown.highSpeedTime = m_fields.text(HS_Time);
    shown.highSpeedMph = m_fields.text(HS_MPH);
    shown.highSpeedPoints = m_fields.text(HS_Points);
    shown.lowSpeedTime = m_fields.text(LS_Time);
    shown.lowSpeedMph = m_fields.text(LS_MPH);
    shown.lowSpeedPoints = m_fields.text(LS_Points);
    shown.scalePoints = m_fields.caption(m_fields.isSelected(ScalePts(1)) ? ScalePts(1) : ScalePts(0));
    shown.landingPoints = m_fields.text(LandingPts);
    shown.score = m_fields.text(Score);
    shown.summary = m_fields.items(Summary);
    return shown;
}

} // namespace orlo
