#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlo {

// The controls of the score sheet that the rules read or write.
enum class Name : std::uint8_t {
    Class,
    HS_Watch,
    HS_Time,
    HS_MPH,
    HS_Points,
    LS_Watch,
    LS_Time,
    LS_MPH,
    LS_Points,
    Engines,
    lblRunning,
    ScalePts,
    LandingPts,
    Score,
    Summary,
    Command1, // "Landing Points"
    Command2, // "Calc. Score"
    Command3, // "Reset"
    Command4, // "Exit"
};

// A control by name and, for members of a control array, its Index.
struct Ctl {
    Name name;
    int index = 0;
    friend constexpr bool operator==(Ctl, Ctl) = default;
};

namespace ctl {
constexpr Ctl Class(int index) { return {Name::Class, index}; }
constexpr Ctl HS_Watch(int index) { return {Name::HS_Watch, index}; }
constexpr Ctl LS_Watch(int index) { return {Name::LS_Watch, index}; }
constexpr Ctl Engines(int index) { return {Name::Engines, index}; }
constexpr Ctl ScalePts(int index) { return {Name::ScalePts, index}; }
inline constexpr Ctl HS_Time{Name::HS_Time};
inline constexpr Ctl HS_MPH{Name::HS_MPH};
inline constexpr Ctl HS_Points{Name::HS_Points};
inline constexpr Ctl LS_Time{Name::LS_Time};
inline constexpr Ctl LS_MPH{Name::LS_MPH};
inline constexpr Ctl LS_Points{Name::LS_Points};
inline constexpr Ctl lblRunning{Name::lblRunning};
inline constexpr Ctl LandingPts{Name::LandingPts};
inline constexpr Ctl Score{Name::Score};
inline constexpr Ctl Summary{Name::Summary};
inline constexpr Ctl Command1{Name::Command1};
inline constexpr Ctl Command2{Name::Command2};
inline constexpr Ctl Command3{Name::Command3};
inline constexpr Ctl Command4{Name::Command4};
} // namespace ctl

// What the rules need of the window that shows the score sheet. The Qt
// window implements it for the operator, a headless sheet for the tests.
// None of these operations runs a handler; the rules deliver their own events.
class SheetFields {
public:
    virtual ~SheetFields() = default;

    // Text of a text box; caption of an option.
    virtual std::string text(Ctl control) const = 0;
    virtual void setText(Ctl control, std::string_view text) = 0;
    virtual std::string caption(Ctl option) const = 0;
    virtual void setCaption(Ctl option, std::string_view caption) = 0;

    virtual bool isSelected(Ctl option) const = 0;
    // Selects the option and deselects the rest of its group.
    virtual void select(Ctl option) = 0;

    virtual void setVisible(Ctl control, bool visible) = 0;

    virtual void clearList(Ctl list) = 0;
    virtual void addItem(Ctl list, std::string_view item) = 0;
    virtual std::vector<std::string> items(Ctl list) const = 0;
    virtual int listIndex(Ctl list) const = 0; // -1 when no item is selected
    virtual void setListIndex(Ctl list, int index) = 0;

    // Start and length count characters, not bytes.
    virtual void selectText(Ctl textBox, int start, int length) = 0;

    virtual void setFocus(Ctl control) = 0;

    // Modal: returns once the operator has pressed OK.
    virtual void showMessage(std::string_view message) = 0;

    // Modeless: the sheet stays usable while the dialog is open.
    virtual void openLandingDialog() = 0;
    virtual void closeLandingDialog() = 0;

    virtual void endProgram() = 0;
};

} // namespace orlo
