#pragma once

#include "contest_changes.h"
#include "flights_window.h"
#include "journal_recorder.h"

#include <QPointer>

#include <functional>

namespace orlo {

// Opens the flights window for the program: one window, built at its first
// opening and kept, hidden, when the official closes it. A flight recorded
// shows in the open window, which follows changes; a contestant named in it
// is recorded next.
class FlightsWindowOpener final {
public:
    FlightsWindowOpener(journal::FlightJournal &journal, JournalRecorder &recorder, ContestChanges &changes);
    // The window goes before the journal it reads and the application its widgets need.
    ~FlightsWindowOpener();
    FlightsWindowOpener(const FlightsWindowOpener &) = delete;
    FlightsWindowOpener &operator=(const FlightsWindowOpener &) = delete;

    enum class Activation { Activate, BesideTheSheet };
    // Shows the window, or brings it forward; BesideTheSheet shows it without
    // taking the keyboard from the sheet.
    void open(Activation activation = Activation::Activate);
    // Opens the window at its "Now flying" picker; once the contestant is
    // picked, the keyboard goes back to the sheet.
    void pickNowFlying();

    // Opens the window beside the sheet once the sheet has had its first
    // frame: by then the window system has framed the sheet, and the window
    // is placed clear of it, or whole on a small screen.
    void openBesideAfterFirstFrame(QWidget &sheet);
    // The sheet the window opens beside, on a screen with room for both,
    // and in front of, on one without.
    void setSheet(QWidget &sheet) { m_sheet = &sheet; }
    // Told the entry named as flying next (0: nobody).
    void setNamed(std::function<void(std::int64_t)> named) { m_named = std::move(named); }

    // Null until the first opening.
    FlightsWindow *window() const { return m_window.data(); }

private:
    void nowFlying(std::int64_t entry);

    journal::FlightJournal &m_journal;
    JournalRecorder &m_recorder;
    ContestChanges &m_changes;
    QPointer<FlightsWindow> m_window;
    QPointer<QWidget> m_sheet;
    bool m_backToTheSheet = false;
    std::function<void(std::int64_t)> m_named = [](std::int64_t) {};
};

} // namespace orlo
