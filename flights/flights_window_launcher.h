#pragma once

#include "flights_window.h"

#include <QPointer>

// Opens the flights window for the program: one window, built at its first
// opening and kept, hidden, when the official closes it.
class FlightsWindowLauncher {
public:
    explicit FlightsWindowLauncher(orlo::journal::FlightJournal &journal);
    ~FlightsWindowLauncher();
    FlightsWindowLauncher(const FlightsWindowLauncher &) = delete;
    FlightsWindowLauncher &operator=(const FlightsWindowLauncher &) = delete;

    enum class Activation { Activate, BesideTheSheet };
    // Shows the window, or brings it forward; BesideTheSheet shows it without
    // taking the keyboard from the sheet.
    void open(Activation activation = Activation::Activate);
    // A calculation was recorded.
    void journalChanged();

    // Null until the first opening.
    FlightsWindow *window() const { return m_window.data(); }

private:
    orlo::journal::FlightJournal &m_journal;
    QPointer<FlightsWindow> m_window;
};
