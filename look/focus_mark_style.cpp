#include "focus_mark_style.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

namespace orlo {

namespace {

constexpr int markWidth = 2;

// A solid frame along the inside of the rectangle, never outside the widget.
void drawMark(QPainter &painter, const QRect &around, const QStyleOption &option, const QWidget *widget)
{
    const QRect box = widget ? around.intersected(widget->rect()) : around;
    if (box.width() <= 2 * markWidth || box.height() <= 2 * markWidth)
        return;
    const QColor ink = option.palette.color(QPalette::Active, QPalette::WindowText);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(box.left(), box.top(), box.width(), markWidth), ink);
    painter.fillRect(QRect(box.left(), box.bottom() - markWidth + 1, box.width(), markWidth), ink);
    painter.fillRect(QRect(box.left(), box.top(), markWidth, box.height()), ink);
    painter.fillRect(QRect(box.right() - markWidth + 1, box.top(), markWidth, box.height()), ink);
    painter.restore();
}

bool hasFocus(const QStyleOption &option)
{
    return option.state & QStyle::State_HasFocus;
}

} // namespace

void FocusMarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    // Options and check boxes ask for a focus rectangle around their caption
    // whenever they have the focus; many styles draw it only after a key
    // press, or faintly. Push buttons get theirs on the bevel instead, item
    // views keep the style's own.
    if (element == PE_FrameFocusRect && option && painter && qobject_cast<const QAbstractButton *>(widget)) {
        // Clear of the caption, which the style's rectangle hugs.
        if (!qobject_cast<const QPushButton *>(widget))
            drawMark(*painter, option->rect.adjusted(-markWidth, -markWidth, markWidth, markWidth), *option, widget);
        return;
    }
    if (element == PE_FrameGroupBox && option && painter && drawFusionGroupBoxFrame(*option, *painter, widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit && option && painter && hasFocus(*option)
        && qobject_cast<const QLineEdit *>(widget))
        drawMark(*painter, option->rect, *option, widget);
}

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButtonBevel && option && painter && hasFocus(*option))
        drawMark(*painter, option->rect, *option, widget);
}

// Fusion draws the frame from a picture of its own, loaded through
// QPixmap, which offers a PNG to every image plug-in before its built-in
// reader: that loads the GIF, ICO and JPEG plug-ins and libjpeg into the
// first frame, about 2 million instructions, for a 98 x 38 picture. Read
// here as the PNG it is, and drawn with Fusion's own margins, the frame is
// the same to the pixel.
bool FocusMarkStyle::drawFusionGroupBoxFrame(const QStyleOption &option, QPainter &painter,
                                             const QWidget *widget) const
{
    if (!baseStyle() || baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return false;
    if (m_groupBoxFrame.isNull()) {
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                            QByteArrayLiteral("png"));
        reader.setAutoDetectImageFormat(false);
        m_groupBoxFrame = QPixmap::fromImage(reader.read());
        if (m_groupBoxFrame.isNull())
            return false;
    }
    // Fusion's gap above the frame: under the title or the check box, or a
    // small one when the box has neither.
    constexpr int gap = 3;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    const int top = box && !box->isCheckable() && box->title().isEmpty()
        ? gap
        : std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight), option.fontMetrics.height()) + gap;
    constexpr QMargins corners(6, 6, 6, 6);
    qDrawBorderPixmap(&painter, option.rect.adjusted(0, top, 0, 0), corners, m_groupBoxFrame);
    return true;
}

} // namespace orlo
