#pragma once

#include <cstdint>
#include <string_view>

namespace orlo {

// The controls of the landing points dialog that its handlers use.
enum class DialogName : std::uint8_t {
    Option1,  // the four arrest grades, one group
    List1,    // missed landing laps
    Command1, // "Done"
};

struct DialogCtl {
    DialogName name;
    int index = 0;
    friend constexpr bool operator==(DialogCtl, DialogCtl) = default;
};

namespace dialog {
constexpr DialogCtl Option1(int index) { return {DialogName::Option1, index}; }
inline constexpr DialogCtl List1{DialogName::List1};
inline constexpr DialogCtl Command1{DialogName::Command1};
} // namespace dialog

// What the dialog's handlers need of the window that shows it. None of these
// operations runs a handler; the rules deliver their own events.
class DialogFields {
public:
    virtual ~DialogFields() = default;

    virtual bool isSelected(int option) const = 0;
    // Selects Option1(option) and deselects the rest of the group.
    virtual void select(int option) = 0;

    virtual void addItem(std::string_view item) = 0; // appended to List1
    virtual int listIndex() const = 0;               // -1 when no item is selected
    virtual void setListIndex(int index) = 0;

    virtual void setFocus(DialogCtl control) = 0;

    // Closes the window and lets it go; the next opening builds a new one.
    virtual void closeDialog() = 0;
};

// The score sheet as the dialog reaches it: the graded points are handed over
// and the sheet takes them in turn with the operator's other actions.
class LandingPointsReceiver {
public:
    virtual ~LandingPointsReceiver() = default;

    virtual void landingPointsChosen(std::int16_t points) = 0;
};

// The landing points dialog's behaviour: grading the arrest, counting missed
// landing laps and handing the result to the score sheet. One object lives
// as long as one opening of the dialog.
class LandingDialog {
public:
    // Points for each arrest grade, Option1(0) to Option1(3).
    static constexpr std::int16_t pointsForOption[4] = {100, 50, 25, 0};
    static constexpr std::int16_t pointsPerMissedLap = 5;
    static constexpr int missedLapChoices = 21; // 0 to 20 laps

    LandingDialog(DialogFields &fields, LandingPointsReceiver &sheet);

    // Events from the window; each is one operator action.
    void load();                    // the window has been created
    void shown();                   // the window has been shown
    void focusTo(DialogCtl control); // the operator moved the focus
    void optionSelected(int index); // the operator selected an option
    void buttonPressed();           // "Done"

    // The score sheet was closed under the open dialog: "Done" then leaves it
    // alone rather than writing into, and moving the focus of, a window the
    // operator has dismissed.
    void sheetClosed() { m_sheetOpen = false; }
    bool isSheetOpen() const { return m_sheetOpen; }

    // Handlers, named after the control and the event.
    void Form_Load();
    void Option1_Click(int index);
    void Command1_Click();

    std::int16_t points() const { return m_points; }

private:
    void moveFocus(DialogCtl control);
    void selectOption(int index);

    DialogFields &m_fields;
    LandingPointsReceiver &m_sheet;
    std::int16_t m_points = 0;
    bool m_sheetOpen = true;
};

} // namespace orlo
