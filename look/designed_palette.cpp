#include "designed_palette.h"

#include "focus_mark_style.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace orlo {

QPalette designedPalette()
{
    const QColor windowGrey(239, 239, 239);
    const QColor dark = windowGrey.darker(150);
    const QColor mid = windowGrey.darker(130);
    const QColor shadow = dark.darker(135);
    const QColor disabledText(190, 190, 190);
    const QColor highlight(48, 140, 198);
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);

    QPalette palette(Qt::black, windowGrey, windowGrey.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Button, windowGrey);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Shadow, shadow);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::AlternateBase, windowGrey.darker(105));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::Link, Qt::blue);
    palette.setColor(QPalette::LinkVisited, Qt::magenta);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    palette.setColor(QPalette::Active, QPalette::Highlight, highlight);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, highlight);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, windowGrey);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    return palette;
}

QStyle *designedStyle()
{
    static QPointer<FocusMarkStyle> focusMark;
    if (!focusMark) {
        focusMark = new FocusMarkStyle;
        focusMark->setParent(QCoreApplication::instance());
    }
    return focusMark;
}

void applyDesignedLook(QWidget &window)
{
    QStyle *style = designedStyle();
    window.setPalette(designedPalette());
    // Controls that already take it from the application are left alone:
    // setting a style on each of them costs start-up its polishing again.
    if (window.style() != style)
        window.setStyle(style);
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (control->style() != style)
            control->setStyle(style);
    }
}

} // namespace orlo
