#include "sheet_scroller.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

SheetScroller::SheetScroller(QWidget &window, QWidget &page, QSize sheetSize)
    : QScrollArea(&window), m_sheetSize(sheetSize)
{
    setObjectName(QStringLiteral("SheetScroller"));
    page.setObjectName(QStringLiteral("SheetPage"));
    page.setMinimumSize(sheetSize);
    setFrameShape(QFrame::NoFrame);
    // The focus belongs to the controls; the scroll bars follow it.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(&page);

    auto *fill = new QVBoxLayout(&window);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(this);

    // The whole control, not only a text box's cursor as ensureWidgetVisible
    // would have it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now || !widget()->isAncestorOf(now))
            return;
        const QRect box(now->mapTo(widget(), QPoint(0, 0)), now->size());
        ensureVisible(box.center().x(), box.center().y(), box.width() / 2 + 4, box.height() / 2 + 4);
    });
}

// The sheet's size bounded by room; a sheet cut short in one direction gets
// the width of a scroll bar more in the other where there is room for it, so
// that only the one scroll bar shows.
QSize SheetScroller::fittedSize(QSize room) const
{
    QSize fitted = m_sheetSize.boundedTo(room);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (fitted.height() < m_sheetSize.height())
        fitted.setWidth(std::min(room.width(), m_sheetSize.width() + bar));
    if (fitted.width() < m_sheetSize.width())
        fitted.setHeight(std::min(room.height(), m_sheetSize.height() + bar));
    return fitted;
}

void SheetScroller::fitWindowToScreen()
{
    QWidget *framed = window();
    if (const QScreen *screen = framed->screen())
        framed->resize(fittedSize(screen->availableGeometry().size()));
    // The frame a window manager adds is known only once the window is on
    // screen, by the time it is first activated.
    if (!m_awaitingFrame) {
        m_awaitingFrame = true;
        framed->installEventFilter(this);
    }
}

bool SheetScroller::eventFilter(QObject *watched, QEvent *event)
{
    if (m_awaitingFrame && watched == window() && event->type() == QEvent::WindowActivate) {
        m_awaitingFrame = false;
        watched->removeEventFilter(this);
        fitFramedWindow();
    }
    return QScrollArea::eventFilter(watched, event);
}

// Shrinks the window so that its frame fits the free area too, and moves the
// frame onto it where the window system placed part of it outside.
void SheetScroller::fitFramedWindow()
{
    QWidget *framed = window();
    const QScreen *screen = framed->screen();
    if (!screen)
        return;
    if (framed->frameGeometry() == framed->geometry())
        return; // no window manager, no frame
    const QRect room = screen->availableGeometry();
    const QSize frame = framed->frameGeometry().size() - framed->geometry().size();
    const QSize client = fittedSize(room.size() - frame);
    if (client != framed->size())
        framed->resize(client);
    const QSize outer = client + frame;
    const QPoint at = framed->frameGeometry().topLeft();
    const QPoint inside(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - outer.width())),
                        std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height())));
    if (inside != at)
        framed->move(inside);
}

} // namespace orlo

#include "moc_sheet_scroller.cpp"
