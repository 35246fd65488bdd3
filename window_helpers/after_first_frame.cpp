#include "after_first_frame.h"

#include <QEvent>

namespace orlo {

namespace {

// Runs its action once, after the window's first exposure has been painted.
class AfterFirstFrame final : public QObject {
public:
    AfterFirstFrame(QObject &window, std::function<void()> action) : QObject(&window), m_action(std::move(action))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The exposure is painted while it is delivered; what is queued now
        // runs once the frame has gone out.
        if (event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] {
                m_action();
                deleteLater();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_action;
};

} // namespace

void afterFirstFrame(QObject *window, std::function<void()> action)
{
    if (window)
        new AfterFirstFrame(*window, std::move(action));
    else
        action();
}

} // namespace orlo
