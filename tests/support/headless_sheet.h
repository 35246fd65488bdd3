#pragma once

#include "landing_dialog.h"
#include "score_sheet.h"
#include "sheet_fields.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The score sheet without a window, for exercising the rules the way an
// operator works: the controls in their initial state, the operator's
// gestures (click, type, Tab), messages recorded and answered with OK.
class HeadlessSheet final : public orlo::SheetFields, public orlo::LandingPointsReceiver {
public:
    HeadlessSheet();

    orlo::ScoreSheet &rules() { return m_rules; }

    // The operator's gestures. Each reports to the rules as the window would.
    void start();
    void click(orlo::Ctl control);
    void type(orlo::Ctl field, std::string_view typed); // click into it, then type
    void typeHere(std::string_view typed);              // type where the focus is
    void tab();
    void backtab();
    void arrow(bool forward); // arrow keys inside an option group

    // What the window shows.
    bool isVisible(orlo::Ctl control) const;
    std::optional<orlo::Ctl> focused() const { return m_focus; }
    std::pair<int, int> selection(orlo::Ctl textBox) const;
    const std::vector<std::string> &messages() const { return m_messages; }
    std::vector<std::string> takeMessages();
    bool isDialogOpen() const { return m_dialogOpen; }
    int dialogOpenings() const { return m_dialogOpenings; }
    bool hasEnded() const { return m_ended; }

    // SheetFields
    std::string text(orlo::Ctl control) const override;
    void setText(orlo::Ctl control, std::string_view text) override;
    std::string caption(orlo::Ctl option) const override;
    void setCaption(orlo::Ctl option, std::string_view caption) override;
    bool isSelected(orlo::Ctl option) const override;
    void select(orlo::Ctl option) override;
    void setVisible(orlo::Ctl control, bool visible) override;
    void clearList(orlo::Ctl list) override;
    void addItem(orlo::Ctl list, std::string_view item) override;
    std::vector<std::string> items(orlo::Ctl list) const override;
    int listIndex(orlo::Ctl list) const override;
    void setListIndex(orlo::Ctl list, int index) override;
    void selectText(orlo::Ctl textBox, int start, int length) override;
    void setFocus(orlo::Ctl control) override;
    void showMessage(std::string_view message) override;
    void openLandingDialog() override;
    void closeLandingDialog() override;
    void endProgram() override;

    // LandingPointsReceiver
    void landingPointsChosen(std::int16_t points) override { m_rules.landingPointsChosen(points); }

private:
    struct Control {
        std::string text;
        bool visible = true;
        bool selected = false;
        bool readOnly = false;
        std::vector<std::string> items;
        int listIndex = -1;
        int selectionStart = 0;
        int selectionLength = 0;
    };
    using Key = std::pair<orlo::Name, int>;


    Control &at(orlo::Ctl control);
    const Control &at(orlo::Ctl control) const;
    void moveByTab(bool forward);
    std::optional<orlo::Ctl> nextTabStop(bool forward) const;
    void catchUpFocus();

    std::map<Key, Control> m_controls;
    std::optional<orlo::Ctl> m_focus;
    std::vector<std::string> m_messages;
    bool m_dialogOpen = false;
    int m_dialogOpenings = 0;
    bool m_ended = false;
    orlo::ScoreSheet m_rules{*this};
};
