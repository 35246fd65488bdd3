#include "flights_window_launcher.h"

#include "contestant_picker.h"

#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace orlo {

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

// Puts the window beside the sheet, whole on the sheet's screen, as far from
// the sheet as the screen allows; true when it overlaps the sheet all the same.
bool placeBeside(QWidget &window, const QWidget &sheet)
{
    const QRect available = sheet.screen()->availableGeometry();
    const QRect sheetFrame = sheet.frameGeometry();
    const QRect sheetInside = sheet.geometry();
    // The window system's frame around this window, as around the sheet.
    const QMargins frame(sheetInside.left() - sheetFrame.left(), sheetInside.top() - sheetFrame.top(),
                         sheetFrame.right() - sheetInside.right(), sheetFrame.bottom() - sheetInside.bottom());
    window.resize(window.size().boundedTo(available.size().shrunkBy(frame)));
    const QSize outer = window.size().grownBy(frame);
    const int x = std::max(available.left(), std::min(sheetFrame.right() + 1, available.right() + 1 - outer.width()));
    const int y = std::max(available.top(), std::min(sheetFrame.top(), available.bottom() + 1 - outer.height()));
    window.move(x, y); // a window's position is its frame's
    return QRect(QPoint(x, y), outer).intersects(sheetFrame);
}

} // namespace

// Often enough that a calculation waits little longer than the lock; a
// try that meets the lock returns at once.
constexpr int retryIntervalMs = 250;

FlightsWindowLauncher::FlightsWindowLauncher(journal::FlightJournal &journal) : m_journal(journal)
{
    m_retry.setInterval(retryIntervalMs);
    QObject::connect(&m_retry, &QTimer::timeout, &m_retry, [this] {
        const int waiting = m_journal.waitingCalculations();
        m_journal.writeWaiting();
        if (m_journal.waitingCalculations() == 0)
            m_retry.stop();
        if (m_journal.waitingCalculations() < waiting) {
            if (m_window)
                m_window->journalChanged();
            m_changed();
        }
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
    bool overSheet = false;
    if (!m_window) {
        m_window = new FlightsWindow(m_journal);
        QObject::connect(m_window, &FlightsWindow::nowFlying, m_window, [this](std::int64_t entry) { nowFlying(entry); });
        QObject::connect(m_window, &FlightsWindow::contestChanged, m_window, [this] { m_changed(); });
        if (m_sheet)
            overSheet = placeBeside(*m_window, *m_sheet);
    }
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->setAttribute(Qt::WA_ShowWithoutActivating, activation == Activation::BesideTheSheet);
    m_window->show();
    // On a screen too small for both, the window opened beside the sheet
    // comes in front of it, the keyboard staying on the sheet.
    if (activation == Activation::Activate || overSheet)
        m_window->raise();
    if (activation == Activation::Activate)
        m_window->activateWindow();
}

void FlightsWindowLauncher::pickNowFlying()
{
    open();
    m_window->pickNowFlying();
    m_backToTheSheet = true;
}

// The flight on the sheet ends, as at a Reset, and the next is recorded
// under the contestant named.
void FlightsWindowLauncher::nowFlying(std::int64_t entry)
{
    m_journal.nowFlying(entry);
    writeWaitingSoon();
    if (std::exchange(m_backToTheSheet, false) && m_sheet) {
        m_sheet->raise();
        m_sheet->activateWindow();
    }
}

void FlightsWindowLauncher::openJournalAfterFirstFrame(QWidget &sheet)
{
    if (QWindow *window = sheet.windowHandle())
        new AfterFirstFrame(*window, [this] { m_journal.open(); });
    else
        m_journal.open();
}

void FlightsWindowLauncher::openBesideAfterFirstFrame(QWidget &sheet)
{
    if (QWindow *window = sheet.windowHandle())
        new AfterFirstFrame(*window, [this] { open(Activation::BesideTheSheet); });
    else
        open(Activation::BesideTheSheet);
}

void FlightsWindowLauncher::calculated(const CalculationRecord &calculation)
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
    // The contestant who flew is no longer the one flying.
    if (m_window && m_journal.nowFlyingEntry() == 0)
        m_window->clearNowFlying();
}

} // namespace orlo
