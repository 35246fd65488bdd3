#include "flights_window_launcher.h"

#include <QWindow>

#include <functional>

namespace {

// Runs its action once, after the window's first exposure has been painted.
class AfterFirstFrame final : public QObject {
public:
    AfterFirstFrame(QWindow &window, std::function<void()> action)
        : QObject(&window), m_action(std::move(action))
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

FlightsWindowLauncher::FlightsWindowLauncher(orlo::journal::FlightJournal &journal) : m_journal(journal) {}

// The window goes before the journal it reads and the application its widgets need.
FlightsWindowLauncher::~FlightsWindowLauncher()
{
    delete m_window.data();
}

void FlightsWindowLauncher::open(Activation activation)
{
    if (!m_window)
        m_window = new FlightsWindow(m_journal);
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->setAttribute(Qt::WA_ShowWithoutActivating, activation == Activation::BesideTheSheet);
    m_window->show();
    if (activation == Activation::Activate) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void FlightsWindowLauncher::openJournalAfterFirstFrame(QWidget &sheet)
{
    if (QWindow *window = sheet.windowHandle())
        new AfterFirstFrame(*window, [this] { m_journal.isWorking(); });
    else
        m_journal.isWorking();
}

void FlightsWindowLauncher::calculated(const orlo::CalculationRecord &calculation)
{
    m_journal.calculated(calculation);
    if (m_window)
        m_window->journalChanged();
}

void FlightsWindowLauncher::flightEnded()
{
    m_journal.flightEnded();
}
