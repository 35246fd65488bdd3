#pragma once

#include <QScrollArea>

namespace orlo {

// Holds a window's controls on a page of the sheet's fixed size, so that a
// window smaller than the sheet (a small screen, a large scale factor) scrolls
// rather than cutting controls off. Where the window is large enough nothing
// of it shows. A control that takes the focus is scrolled into view, so the
// keyboard reaches every control as well.
class SheetScroller final : public QScrollArea {
    Q_OBJECT
public:
    // Takes page, a child of window made with its controls on it, and fills
    // the window.
    SheetScroller(QWidget &window, QWidget &page, QSize sheetSize);

    // Sizes the window before it opens: the sheet's size, or the screen's
    // free area where that is smaller. Once a window manager has framed the
    // window, its frame is fitted in as well.
    void fitWindowToScreen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSize fittedSize(QSize room) const;
    void fitFramedWindow();

    QSize m_sheetSize;
    bool m_awaitingFrame = false;
};

} // namespace orlo
