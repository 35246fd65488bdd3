#pragma once

#include "event_classes.h"
#include "flight_observer.h"
#include "sheet_fields.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orlo {

// The score sheet's behaviour: its handlers, its two variables and the focus
// conventions, written against SheetFields so that they run without a screen.
// The window reports the operator's actions through the event entry points;
// every handler then runs to completion, and a handler that moves the focus
// or selects an option runs that event's handlers before its own next step.
class ScoreSheet {
public:
    explicit ScoreSheet(SheetFields &fields);

    // Events from the window. Each is one operator action: a handler that
    // gives up (HandlerAbandoned) ends there, and the action goes on.
    void start();                    // the window has been shown
    void focusTo(Ctl control);       // the operator moved the focus (Tab, click)
    void buttonPressed(Ctl button);  // Command1 to Command4, after the move to it
    void landingPointsChosen(std::int16_t points); // the landing dialog's "Done"
    // Tells the rules where the focus really is (realFocus; none when not
    // known) when they think it elsewhere: the operator moved it, or the
    // window moved it on from a control a handler hid.
    void catchUpFocus(const std::function<std::optional<Ctl>()> &realFocus);

    // Told of every calculation that reached its total, and of the end of
    // each flight; none when null.
    void setObserver(FlightObserver *observer) { m_observer = observer; }

    // Handlers, named after the control and the event.
    void HS_Watch_GotFocus(int index);
    void LS_Watch_GotFocus(int index);
    void Engines_GotFocus(int index);
    void HS_Watch_LostFocus(int index);
    void LS_Watch_LostFocus(int index);
    void Engines_LostFocus(int index);
    void LandingPts_GotFocus();
    void LandingPts_LostFocus();
    void Class_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // The window's own operations.
    void Select_All();
    std::optional<double> MPH(Ctl theTime) const;

    ClassIndex classIndex() const { return m_classIndex; }
    std::optional<Ctl> focus() const { return m_focus; }

private:
    void moveFocus(Ctl control);
    void deliverGotFocus(Ctl control);
    void deliverLostFocus(Ctl control);
    void selectOption(Ctl option);
    void deliverOptionSelected(Ctl option);
    void reject(Ctl field, std::string_view message);
    void show(Ctl control, bool visible);
    bool isHidden(Ctl control) const;
    std::optional<int> addUpReadings(Name watch, Ctl timeField, std::string_view negativeMessage);
    void dropHighSpeedPoints();
    void setLowSpeedPoints(const std::string &points);
    std::string lowSpeedPointsFromTimes();
    CalculationRecord shownCalculation() const;

    // Marks one operator action; messages are counted per action.
    class Action {
    public:
        explicit Action(ScoreSheet &sheet);
        ~Action();
        Action(const Action &) = delete;
        Action &operator=(const Action &) = delete;

    private:
        ScoreSheet &m_sheet;
    };

    SheetFields &m_fields;
    ClassIndex m_classIndex = 0;
    std::optional<Ctl> m_currentTextField;

    // Where the focus is, and whether that control's got-focus event has
    // run: a control the focus was taken from before it arrived never had it,
    // so it does not lose it either.
    std::optional<Ctl> m_focus;
    bool m_focusArrived = false;

    // The rules are the only ones to show and hide controls, so they know
    // which cannot take the focus.
    std::vector<Ctl> m_hidden;

    int m_actionDepth = 0;
    std::vector<Ctl> m_rejectedThisAction;
    // The control the operator's last move of the focus was headed for, when
    // a field's check refused to let the focus go on that move.
    std::optional<Ctl> m_refusedMoveTo;

    // The low-speed points as the run produced them, before any halving for
    // an engine that stopped; empty until a run or a calculation fixes them.
    std::optional<std::string> m_lowSpeedRunPoints;

    FlightObserver *m_observer = nullptr;
};

} // namespace orlo
