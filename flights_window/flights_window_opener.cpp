#include "flights_window_opener.h"

#include "after_first_frame.h"
#include "contestant_picker.h"
#include "window_place.h"

#include <QWindow>

#include <filesystem>

namespace orlo {

FlightsWindowOpener::FlightsWindowOpener(journal::FlightJournal &journal, JournalRecorder &recorder,
                                         ContestChanges &changes)
    : m_journal(journal), m_recorder(recorder), m_changes(changes)
{
}

FlightsWindowOpener::~FlightsWindowOpener()
{
    delete m_window.data();
}

void FlightsWindowOpener::open(Activation activation)
{
    bool overSheet = false;
    // No journal at its name: at the first start the window may open before
    // the journal is made, which it would then read as no journal at all;
    // made now, it reads as holding no flights yet. One moved away meanwhile
    // is followed now, so that the new journal at its name, holding the
    // contest, is read (the contestant named next, with Ctrl+N, among its
    // entries). One that is there is opened at the first flight, as always.
    if (!std::filesystem::exists(m_journal.path()))
        m_journal.open();
    if (!m_window) {
        m_window = new FlightsWindow(m_journal, m_changes);
        QObject::connect(m_window, &FlightsWindow::nowFlying, m_window, [this](std::int64_t entry) { nowFlying(entry); });
        if (m_sheet)
            m_window->setSheet(*m_sheet);
        // Where the director put it last time, else beside the sheet.
        if (!restorePlace(*m_window, QStringLiteral("flights"), m_sheet) && m_sheet)
            overSheet = placeBeside(*m_window, *m_sheet);
        keepPlace(*m_window, QStringLiteral("flights"));
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
