#include "wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace orlo {

WrappingButton::WrappingButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
}

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The frame and the focus rectangle come from the style; the caption is
    // drawn here, wrapped at word boundaries within the contents rectangle.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QPalette::ColorRole role = QPalette::ButtonText;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, role));
    painter.drawText(contents, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

} // namespace orlo

#include "moc_wrapping_button.cpp"
