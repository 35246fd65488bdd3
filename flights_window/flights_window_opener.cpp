#include "flights_window_opener.h"

#include "after_first_frame.h"
#include "contestant_picker.h"

#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace orlo {

namespace {

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

FlightsWindowOpener::FlightsWindowOpener(journal::FlightJournal &journal, JournalRecorder &recorder)
    : m_journal(journal), m_recorder(recorder)
{
    m_recorder.setRecorded([this] {
        if (m_window)
            m_window->journalChanged();
    });
    // The contestant who flew is no longer the one flying.
    m_recorder.setFlightEnded([this] {
        if (m_window && m_journal.nowFlyingEntry() == 0)
            m_window->clearNowFlying();
    });
}

FlightsWindowOpener::~FlightsWindowOpener()
{
    m_recorder.setRecorded([] {});
    m_recorder.setFlightEnded([] {});
    delete m_window.data();
}

void FlightsWindowOpener::open(Activation activation)
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

void FlightsWindowOpener::pickNowFlying()
{
    open();
    m_window->pickNowFlying();
    m_backToTheSheet = true;
}

void FlightsWindowOpener::nowFlying(std::int64_t entry)
{
    m_recorder.nowFlying(entry);
    m_named(entry);
    if (std::exchange(m_backToTheSheet, false) && m_sheet) {
        m_sheet->raise();
        m_sheet->activateWindow();
    }
}

void FlightsWindowOpener::openBesideAfterFirstFrame(QWidget &sheet)
{
    afterFirstFrame(sheet.windowHandle(), [this] { open(Activation::BesideTheSheet); });
}

} // namespace orlo
