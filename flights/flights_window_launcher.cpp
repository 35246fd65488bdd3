#include "flights_window_launcher.h"

#include <QWindow>

#include <cstdio>
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

// Often enough that a calculation waits little longer than the lock; a
// try that meets the lock returns at once.
constexpr int retryIntervalMs = 250;

FlightsWindowLauncher::FlightsWindowLauncher(orlo::journal::FlightJournal &journal) : m_journal(journal)
{
    m_retry.setInterval(retryIntervalMs);
    QObject::connect(&m_retry, &QTimer::timeout, &m_retry, [this] {
        const int waiting = m_journal.waitingCalculations();
        m_journal.writeWaiting();
        if (m_journal.waitingCalculations() == 0)
            m_retry.stop();
        if (m_window && m_journal.waitingCalculations() < waiting)
            m_window->journalChanged();
    });
}

// The window goes before the journal it reads and the application its widgets need.
FlightsWindowLauncher::~FlightsWindowLauncher()
{
    delete m_window.data();
    if (const int lost = m_journal.finish(); lost > 0)
        std::fprintf(stderr, "Orlo_Score: %d calculations could not be written to the flight journal %s.\n", lost,
                     m_journal.path().c_str());
}

void FlightsWindowLauncher::writeWaitingSoon()
{
    if (m_journal.waitingCalculations() > 0 && !m_retry.isActive())
        m_retry.start();
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
        new AfterFirstFrame(*window, [this] { m_journal.open(); });
    else
        m_journal.open();
}

void FlightsWindowLauncher::calculated(const orlo::CalculationRecord &calculation)
{
    m_journal.calculated(calculation);
    writeWaitingSoon();
    if (m_window)
        m_window->journalChanged();
}

void FlightsWindowLauncher::flightEnded()
{
    m_journal.flightEnded();
    writeWaitingSoon();
}
