#pragma once

#include "landing_dialog.h"
#include "score_sheet.h"
#include "score_sheet_form.h"
#include "sheet_fields.h"

#include <QWidget>

#include <deque>
#include <functional>
#include <optional>

class QLabel;

namespace orlo {

class SheetScroller;

// The score sheet on the screen: its form, the field operations for the
// rules, and the operator's actions reported to the rules outside the window
// system's own event delivery.
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

    // Who flies next, said in the banner's free room below the headings;
    // hidden when empty. No control moves for it.
    void setCallLine(const QString &line);

    // The objectName of a control, as ScoreSheetForm names it.
    static QString objectNameOf(Ctl control);

    // SheetFields
    std::string text(Ctl control) const override { return m_form->text(control); }
    void setText(Ctl control, std::string_view text) override { m_form->setText(control, text); }
    std::string caption(Ctl option) const override { return m_form->text(option); }
    void setCaption(Ctl option, std::string_view caption) override { m_form->setCaption(option, caption); }
    bool isSelected(Ctl option) const override { return m_form->isSelected(option); }
    void select(Ctl option) override { m_form->select(option); }
    void setVisible(Ctl control, bool visible) override;
    void clearList(Ctl list) override { m_form->clearList(list); }
    void addItem(Ctl list, std::string_view item) override { m_form->addItem(list, item); }
    std::vector<std::string> items(Ctl list) const override { return m_form->items(list); }
    int listIndex(Ctl list) const override { return m_form->listIndex(list); }
    void setListIndex(Ctl list, int index) override { m_form->setListIndex(list, index); }
    void selectText(Ctl textBox, int start, int length) override { m_form->selectText(textBox, start, length); }
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
    void watchOperator();
    void offerJournal();
    QWidget *widgetOf(Ctl control) const { return m_form->widgetOf(control); }
    std::optional<Ctl> controlOf(const QObject *widget) const { return m_form->controlOf(widget); }

    bool followButtonPress(QObject *watched, QEvent *event);
    void settlePressBeforeMessage();
    void reportPress(Ctl button);

    // Queues an action for the rules; an empty one only brings the rules up
    // to date with where the focus is.
    void report(std::function<void()> action);
    void deliverReports();
    void catchUpFocus();

    // Built once the window has its size and font.
    std::optional<ScoreSheetForm> m_form;
    SheetScroller *m_scroller = nullptr;
    QWidget *m_page = nullptr;
    QLabel *m_callLine = nullptr;
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
