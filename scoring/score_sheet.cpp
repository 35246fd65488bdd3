#include "score_sheet.h"

#include "conversions.h"
#include "handler_failure.h"
#include "sheet_at_start.h"
#include "sheet_messages.h"

#include <algorithm>

namespace orlo {

using namespace ctl;

namespace {

// A sheet on which no watch read above 0 and no landing points were given
// holds no flight: a press of "Calc. Score" on it scores nothing to keep.
bool holdsAFlight(const CalculationRecord &shown)
{
    for (const std::string *reading :
         {&shown.highSpeedWatch1, &shown.highSpeedWatch2, &shown.lowSpeedWatch1, &shown.lowSpeedWatch2})
        if (watchReadingValue(*reading) > 0)
            return true;
    return Lenient_Value(shown.landingPoints) != 0;
}

} // namespace

ScoreSheet::Action::Action(ScoreSheet &sheet) : m_sheet(sheet)
{
    if (m_sheet.m_actionDepth++ == 0)
        m_sheet.m_rejectedThisAction.clear();
}

ScoreSheet::Action::~Action()
{
    --m_sheet.m_actionDepth;
}

ScoreSheet::ScoreSheet(SheetFields &fields) : m_fields(fields)
{
    for (const StartingControl &entry : sheetAtStart)
        if (!entry.visible)
            m_hidden.push_back(entry.control);
}

void ScoreSheet::start()
{
    Action action(*this);
    m_refusedMoveTo.reset();
    moveFocus(Class(0));
}

void ScoreSheet::focusTo(Ctl control)
{
    Action action(*this);
    moveFocus(control);
    m_refusedMoveTo.reset();
    if (!m_rejectedThisAction.empty())
        m_refusedMoveTo = control;
}

void ScoreSheet::catchUpFocus(const std::function<std::optional<Ctl>()> &realFocus)
{
    // A handler run on the way may move the focus on again: a few rounds.
    for (int guard = 0; guard < 4; ++guard) {
        const std::optional<Ctl> real = realFocus();
        if (!real || !m_focus || *real == *m_focus)
            return;
        focusTo(*real);
    }
}

// The points graded in the landing dialog go into the landing field, and
// leaving the field runs its check on them.
void ScoreSheet::landingPointsChosen(std::int16_t points)
{
    m_fields.setText(LandingPts, Integer_Text(points));
    focusTo(Command2);
}

void ScoreSheet::buttonPressed(Ctl button)
{
    // Pressing a button gives it the focus first, and the press belongs to
    // that move: it still counts when a field's handler sent the focus on
    // elsewhere. Only a check that failed with a message on the way stops
    // it, and not for Reset and Exit, which throw the sheet's contents away.
    const bool refusedOnTheWay = m_refusedMoveTo == button;
    Action action(*this);
    m_refusedMoveTo.reset();
    if (refusedOnTheWay) {
        if (button != Command3 && button != Command4)
            return;
        // The refused field has had its check, and Reset throws its text
        // away: the focus leaves it without running its handler again.
        m_focusArrived = false;
    }
    switch (button.name) {
    case Name::Command1: runHandler([this] { Command1_Click(); }); break;
    case Name::Command2:
        // A calculation stopped by a check or a failed step wrote no total.
        if (runHandler([this] { Command2_Click(); }) && m_rejectedThisAction.empty() && m_observer) {
            if (const CalculationRecord shown = shownCalculation(); holdsAFlight(shown))
                m_observer->calculated(shown);
        }
        break;
    case Name::Command3:
        runHandler([this] { Command3_Click(); });
        if (m_observer)
            m_observer->flightEnded();
        break;
    case Name::Command4:
        // Told first: ending the program may not come back here.
        if (m_observer)
            m_observer->flightEnded();
        runHandler([this] { Command4_Click(); });
        break;
    default: break;
    }
}

void ScoreSheet::moveFocus(Ctl control)
{
    if (m_focus == control && m_focusArrived) {
        m_fields.setFocus(control);
        return;
    }
    const auto previous = m_focus;
    const bool previousArrived = m_focusArrived;
    m_focus = control;
    m_focusArrived = false;
    m_fields.setFocus(control);
    if (previous && previousArrived && *previous != control)
        deliverLostFocus(*previous);
    // A lost-focus handler may have sent the focus elsewhere, or hidden the
    // control it was going to; then it never arrives here.
    if (m_focus == control && !m_focusArrived && !isHidden(control)) {
        m_focusArrived = true;
        deliverGotFocus(control);
    }
}

void ScoreSheet::deliverGotFocus(Ctl control)
{
    switch (control.name) {
    case Name::HS_Watch: runHandler([&] { HS_Watch_GotFocus(control.index); }); break;
    case Name::LS_Watch: runHandler([&] { LS_Watch_GotFocus(control.index); }); break;
    case Name::Engines: runHandler([&] { Engines_GotFocus(control.index); }); break;
    case Name::LandingPts: runHandler([&] { LandingPts_GotFocus(); }); break;
    // An option that gains the focus becomes the selected one of its group.
    case Name::Class:
    case Name::ScalePts: selectOption(control); break;
    default: break;
    }
}

void ScoreSheet::deliverLostFocus(Ctl control)
{
    switch (control.name) {
    case Name::HS_Watch: runHandler([&] { HS_Watch_LostFocus(control.index); }); break;
    case Name::LS_Watch: runHandler([&] { LS_Watch_LostFocus(control.index); }); break;
    case Name::Engines: runHandler([&] { Engines_LostFocus(control.index); }); break;
    case Name::LandingPts: runHandler([&] { LandingPts_LostFocus(); }); break;
    default: break;
    }
}

void ScoreSheet::selectOption(Ctl option)
{
    if (m_fields.isSelected(option))
        return;
    m_fields.select(option);
    deliverOptionSelected(option);
}

void ScoreSheet::deliverOptionSelected(Ctl option)
{
    if (option.name == Name::Class)
        runHandler([&] { Class_Click(option.index); });
}

// Shows a check's message and sends the focus back to its field, once per
// operator action: two fields whose checks both fail would otherwise pull
// the focus from each other for ever.
void ScoreSheet::reject(Ctl field, std::string_view message)
{
    if (m_actionDepth > 0) {
        if (std::find(m_rejectedThisAction.begin(), m_rejectedThisAction.end(), field)
            != m_rejectedThisAction.end())
            return;
        m_rejectedThisAction.push_back(field);
    }
    m_fields.showMessage(message);
    moveFocus(field);
}

void ScoreSheet::show(Ctl control, bool visible)
{
    const auto found = std::find(m_hidden.begin(), m_hidden.end(), control);
    if (visible && found != m_hidden.end())
        m_hidden.erase(found);
    else if (!visible && found == m_hidden.end())
        m_hidden.push_back(control);
    m_fields.setVisible(control, visible);
}

bool ScoreSheet::isHidden(Ctl control) const
{
    return std::find(m_hidden.begin(), m_hidden.end(), control) != m_hidden.end();
}

void ScoreSheet::Select_All()
{
    if (!m_currentTextField)
        return;
    m_fields.selectText(*m_currentTextField, 0, characterCount(m_fields.text(*m_currentTextField)));
}

std::optional<double> ScoreSheet::MPH(Ctl theTime) const
{
    return speedMph(m_classIndex, Strict_Value(m_fields.text(theTime)));
}

void ScoreSheet::HS_Watch_GotFocus(int index)
{
    m_currentTextField = HS_Watch(index);
    Select_All();
}

void ScoreSheet::LS_Watch_GotFocus(int index)
{
    m_currentTextField = LS_Watch(index);
    Select_All();
}

void ScoreSheet::Engines_GotFocus(int index)
{
    m_currentTextField = Engines(index);
    Select_All();
}

void ScoreSheet::Class_Click(int index)
{
    m_classIndex = static_cast<ClassIndex>(index);
    const EventClass &chosen = eventClass(m_classIndex);
    if (chosen.scaleOptionsShown) {
        show(ScalePts(0), true);
        show(ScalePts(1), true);
        m_fields.setCaption(ScalePts(1), chosen.upperScaleCaption);
    } else {
        m_fields.select(ScalePts(0));
        show(ScalePts(0), false);
        show(ScalePts(1), false);
    }

    // Each run with a time is rescored for the new circle on its own, so that
    // no speed stays computed for another class's circle.
    const bool highSpeedTimed = Strict_Value(m_fields.text(HS_Time)) > 0;
    const bool lowSpeedTimed = Strict_Value(m_fields.text(LS_Time)) > 0;
    if (highSpeedTimed) {
        m_fields.setText(HS_MPH, Number_Text(MPH(HS_Time)));
        m_fields.setText(HS_Points, Format_Pattern(m_fields.text(HS_MPH), Pattern::OneDecimal));
    }
    if (lowSpeedTimed)
        m_fields.setText(LS_MPH, Number_Text(MPH(LS_Time)));
    // No result stays listed beside the score this change took away.
    m_fields.setText(Score, "0");
    m_fields.clearList(Summary);
    show(Summary, false);
}

void ScoreSheet::Engines_LostFocus(int index)
{
    // The count of engines still running is the operator's word; not checked.
    if (index != 0)
        return;
    const double engines = Lenient_Value(m_fields.text(Engines(0)));
    if (engines > 1) {
        show(lblRunning, true);
        show(Engines(1), true);
        // Copied before the focus arrives, so that the copy is what gets selected.
        m_fields.setText(Engines(1), m_fields.text(Engines(0)));
        moveFocus(Engines(1));
    } else {
        show(lblRunning, false);
        show(Engines(1), false);
        m_fields.setText(Engines(1), "0");
    }
    // At least one engine, although the message says "> 0".
    if (!(engines >= 1))
        reject(Engines(0), messages::badEngineCount);
}

void ScoreSheet::LandingPts_GotFocus()
{
    m_fields.openLandingDialog();
}

void ScoreSheet::Command1_Click()
{
    m_fields.openLandingDialog();
}

void ScoreSheet::LandingPts_LostFocus()
{
    const std::string points = m_fields.text(LandingPts);
    for (int allowed = 0; allowed <= 100; allowed += 5) {
        if (points == Integer_Text(allowed))
            return;
    }
    reject(LandingPts, messages::badLandingPoints);
}

void ScoreSheet::Command3_Click()
{
    selectOption(Class(0));
    for (int i = 0; i <= 1; ++i) {
        m_fields.setText(HS_Watch(i), "0");
        m_fields.setText(LS_Watch(i), "0");
        m_fields.setText(Engines(i), "1");
    }
    for (Ctl result : {HS_Time, HS_MPH, HS_Points, LS_Time, LS_MPH, LS_Points})
        m_fields.setText(result, "0");
    m_lowSpeedRunPoints.reset();
    selectOption(ScalePts(0));
    m_fields.setText(LandingPts, "0");
    m_fields.setText(Score, "0");
    m_fields.clearList(Summary);
    show(Summary, false);
    moveFocus(Class(0));
}

void ScoreSheet::Command4_Click()
{
    m_fields.endProgram();
}

} // namespace orlo
