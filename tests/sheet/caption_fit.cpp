#include "caption_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QWidget>

namespace {

QString describe(const QWidget &widget, const QString &caption, const QRect &room, const QRect &needed)
{
    return QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6")
        .arg(widget.objectName(), caption)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

// The rectangle the caption takes when laid out in the room, with or
// without word wrap. A single word wider than the room still overflows.
QRect captionRect(const QFontMetrics &metrics, const QRect &room, const QString &caption, bool wrap)
{
    const int flags = Qt::TextShowMnemonic | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    return metrics.boundingRect(QRect(0, 0, room.width(), 100000), flags, caption);
}

void check(const QWidget &widget, const QString &caption, const QRect &room, bool wrap, QStringList &cutOff)
{
    if (caption.isEmpty())
        return;
    const QRect needed = captionRect(widget.fontMetrics(), room, caption, wrap);
    if (needed.width() > room.width() || needed.height() > room.height())
        cutOff << describe(widget, caption, room, needed);
}

QStyleOptionButton buttonOption(const QAbstractButton &button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    if (const auto *push = qobject_cast<const QPushButton *>(&button); push && push->isFlat())
        option.features |= QStyleOptionButton::Flat;
    return option;
}

bool wraps(const QWidget &widget)
{
    const QVariant property = widget.property("wordWrap");
    return property.isValid() && property.toBool();
}

} // namespace

QStringList captionsCutOff(const QWidget &window)
{
    QStringList cutOff;
    for (const QWidget *widget : window.findChildren<const QWidget *>()) {
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            if (label->pixmap().isNull() && label->textFormat() != Qt::RichText)
                check(*label, label->text(), label->contentsRect().marginsRemoved(QMargins(label->margin(),
                      label->margin(), label->margin(), label->margin())), label->wordWrap(), cutOff);
        } else if (const auto *push = qobject_cast<const QPushButton *>(widget)) {
            const QStyleOptionButton option = buttonOption(*push);
            const QRect room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
            check(*push, push->text(), room, wraps(*push), cutOff);
        } else if (const auto *radio = qobject_cast<const QRadioButton *>(widget)) {
            const QStyleOptionButton option = buttonOption(*radio);
            const QRect room = radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
            check(*radio, radio->text(), room, false, cutOff);
        } else if (const auto *box = qobject_cast<const QCheckBox *>(widget)) {
            const QStyleOptionButton option = buttonOption(*box);
            const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            check(*box, box->text(), room, false, cutOff);
        } else if (const auto *group = qobject_cast<const QGroupBox *>(widget)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.textAlignment = group->alignment();
            option.lineWidth = 1;
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            if (group->isCheckable())
                option.subControls |= QStyle::SC_GroupBoxCheckBox;
            if (group->isFlat())
                option.features |= QStyleOptionFrame::Flat;
            // The title's own rectangle is sized to the text; the room is
            // what lies between the title's left edge and the box's right edge.
            const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                               QStyle::SC_GroupBoxLabel, group);
            const QRect room(title.topLeft(), QPoint(group->rect().right(), title.bottom()));
            check(*group, group->title(), room, false, cutOff);
        }
    }
    return cutOff;
}
