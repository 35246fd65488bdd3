#pragma once

#include "landing_dialog.h"

#include <QWidget>

#include <array>

class QKeyEvent;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace orlo {

// Form2 on screen: the landing points dialog's controls at their fixed pixel
// positions, reporting the operator's actions to the dialog's rules.
class LandingDialogWindow final : public QWidget, public DialogFields {
    Q_OBJECT

public:
    // The dialog belongs to no window: it neither blocks the score sheet nor
    // closes with it. Form_Load runs here, as the dialog is created.
    explicit LandingDialogWindow(LandingPointsReceiver &sheet);

    LandingDialog &rules() { return m_rules; }

    // DialogFields
    bool isSelected(int option) const override;
    void select(int option) override;
    void addItem(std::string_view item) override;
    int listIndex() const override;
    void setListIndex(int index) override;
    void setFocus(DialogCtl control) override;
    void closeDialog() override;
    using QWidget::setFocus;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRadioButton *option(int index) const;
    static int arrowStep(const QKeyEvent &key);
    QWidget *widget(DialogCtl control) const;

    std::array<QRadioButton *, 4> m_options{};
    QListWidget *m_list = nullptr;
    QPushButton *m_done = nullptr;

    // Set while the rules select an option: the signal that causes is the
    // rules' own doing, not the operator's.
    int m_rulesAtWork = 0;

    LandingDialog m_rules;
};

} // namespace orlo
