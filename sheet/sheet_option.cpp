#include "sheet_option.h"

#include <QMouseEvent>

namespace orlo {

void SheetOption::takeFocusOnLeftClickOnly()
{
    m_clickFocus = (focusPolicy() & Qt::ClickFocus) != 0;
    setFocusPolicy((focusPolicy() & Qt::TabFocus) != 0 ? Qt::TabFocus : Qt::NoFocus);
}

// Its group still unchecks it through here when another option is selected.
void SheetOption::nextCheckState()
{
    if (isChecked())
        setChecked(false);
}

void SheetOption::mousePressEvent(QMouseEvent *event)
{
    if (m_clickFocus && event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    QRadioButton::mousePressEvent(event);
}

QString optionAccessibleName(Ctl option, const QString &caption)
{
    return option.name == Name::ScalePts ? QStringLiteral("Scale Points %1").arg(caption) : caption;
}

} // namespace orlo
