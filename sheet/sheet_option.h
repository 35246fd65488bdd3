#pragma once

#include "sheet_fields.h"

#include <QRadioButton>

namespace orlo {

// An option that a click or an arrow key does not select by itself: it only
// takes the focus, and the rules select it when the focus arrives there, as
// they do for Tab. A field whose check fails on leaving keeps the focus and
// the option stays unselected.
class SheetOption final : public QRadioButton {
public:
    SheetOption(const QString &caption, QWidget *parent) : QRadioButton(caption, parent) {}

    // Only the left button moves the focus here: a right-click is for the
    // sheet's menu, and must not pick a class and take the score away.
    void takeFocusOnLeftClickOnly();

protected:
    void nextCheckState() override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool m_clickFocus = true;
};

// What a screen reader announces for an option: its caption, and for the
// bare numbers of the scale options what they are.
QString optionAccessibleName(Ctl option, const QString &caption);

} // namespace orlo
