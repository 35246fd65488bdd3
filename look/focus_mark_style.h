#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace orlo {

// The desktop's style with a focus mark that shows in bright light: a solid
// frame two pixels wide, in the text colour, on the focused text box, option
// or button. It draws inside each control's box and changes no size metric,
// so nothing moves. Under Fusion it draws the group box frame from Fusion's
// own picture, read without trying every image plug-in on it first.
class FocusMarkStyle final : public QProxyStyle {
public:
    FocusMarkStyle() = default;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;

private:
    bool drawFusionGroupBoxFrame(const QStyleOption &option, QPainter &painter, const QWidget *widget) const;

    mutable QPixmap m_groupBoxFrame;
};

} // namespace orlo
