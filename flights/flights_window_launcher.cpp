#include "flights_window_launcher.h"

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
