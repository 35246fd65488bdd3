#pragma once

#include "landing_dialog.h"
#include "score_sheet.h"
#include "sheet_fields.h"

#include <QRect>
#include <QWidget>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <utility>

class QButtonGroup;

namespace orlo {

class SheetScroller;

// The score sheet on the screen: every control at its fixed pixel position,
// the field operations for the rules, and the operator's actions reported to
// the rules outside the window system's own event delivery.
//
// Controls are found by objectName: the control's name, and for members of a
// control array an underscore and the Index ("HS_Watch_0", "Class_3",
// "ScalePts_1", "Line1_2"); controls without an Index keep their plain name
// ("HS_Time", "Summary", "Command2", "Label15", "Frame1", "Image1").
class ScoreSheetWindow final : public QWidget, public SheetFields, public LandingPointsReceiver {
    Q_OBJECT
public:
    explicit ScoreSheetWindow(QWidget *parent = nullptr);
    ~ScoreSheetWindow() override;

    ScoreSheet &rules() { return m_rules; }

    // Sizes the window for its screen before it opens: the sheet's size, or
    // the screen's free area where that is smaller, the sheet then scrolling.
    void fitToScreen();

    // The landing points dialog lives in its own library; these open (or
    // bring forward) and close it. Without them opening does nothing.
    void setLandingDialog(std::function<void()> open, std::function<void()> close);

    // The objectName of a control, as described above.
    static QString objectNameOf(Ctl control);

    // SheetFields
    std::string text(Ctl control) const override;
    void setText(Ctl control, std::string_view text) override;
    std::string caption(Ctl option) const override;
    void setCaption(Ctl option, std::string_view caption) override;
    bool isSelected(Ctl option) const override;
    void select(Ctl option) override;
    void setVisible(Ctl control, bool visible) override;
    void clearList(Ctl list) override;
    void addItem(Ctl list, std::string_view item) override;
    std::vector<std::string> items(Ctl list) const override;
    int listIndex(Ctl list) const override;
    void setListIndex(Ctl list, int index) override;
    void selectText(Ctl textBox, int start, int length) override;
    void setFocus(Ctl control) override;
    void showMessage(std::string_view message) override;
    void openLandingDialog() override;
    void closeLandingDialog() override;
    void endProgram() override;

    // LandingPointsReceiver: taken in turn with the operator's actions.
    void landingPointsChosen(std::int16_t points) override;

    using QWidget::setFocus;
    using QWidget::setVisible;

signals:
    // The official asked for the flight journal (context menu or Ctrl+J);
    // nothing on the sheet changes.
    void journalRequested();
    // The official closed the sheet with its close control; the program may
    // go on while another of its windows is open.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    using Key = std::pair<Name, int>;

    // The sheet's parts from top to bottom, as its form places them.
    void buildControls();
    void buildPicture();
    void buildClassRow(QButtonGroup &group);
    void buildSpeedRows();
    void buildBonusRow(QButtonGroup &scaleGroup);
    void buildSummaryAndButtons();
    void addTextBox(Ctl control, QRect box, const char *accessibleName);
    void addOption(Ctl control, QWidget *parent, QRect box, QButtonGroup &group);
    void arrangeTabOrder();
    void watchOperator();
    void offerJournal();
    void addControl(Ctl control, QWidget *widget);
    QWidget *widgetOf(Ctl control) const;
    std::optional<Ctl> controlOf(const QObject *widget) const;

    bool followButtonPress(QObject *watched, QEvent *event);
    void settlePressBeforeMessage();
    void reportPress(Ctl button);

    // Queues an action for the rules; an empty one only brings the rules up
    // to date with where the focus is.
    void report(std::function<void()> action);
    void deliverReports();
    void catchUpFocus();

    std::map<Key, QWidget *> m_widgets;
    SheetScroller *m_scroller = nullptr;
    std::function<void()> m_openLanding;
    std::function<void()> m_closeLanding;

    // Operator actions waiting for the rules, in the order they happened.
    std::deque<std::function<void()>> m_reports;
    bool m_delivering = false;
    bool m_ended = false;

    // The button the official holds down, with the mouse or with Space,
    // until its release: Qt forgets a press when the rules move the focus
    // on while the button is held, but the official's click still counts.
    struct HeldButton {
        Ctl button;
        bool byMouse;
    };
    std::optional<HeldButton> m_held;

    // Nonzero while the window itself moves the focus or hides a control for
    // the rules: those moves are not the operator's.
    int m_ownChanges = 0;

    ScoreSheet m_rules{*this};
};

} // namespace orlo
