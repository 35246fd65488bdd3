#pragma once

#include "flights_window.h"

#include <QPointer>
#include <QTimer>

#include <functional>

namespace orlo {

// Opens the flights window for the program: one window, built at its first
// opening and kept, hidden, when the official closes it. Stands between the
// sheet and the journal, so that a flight recorded shows in the open window,
// and gives the journal the time to write what waits for a locked file.
class FlightsWindowLauncher final : public FlightObserver {
public:
    explicit FlightsWindowLauncher(journal::FlightJournal &journal);
    // Writes what waits and the log into the journal file: a copy of the
    // file alone is then whole. Says on the standard error what could not be.
    ~FlightsWindowLauncher() override;
    FlightsWindowLauncher(const FlightsWindowLauncher &) = delete;
    FlightsWindowLauncher &operator=(const FlightsWindowLauncher &) = delete;

    enum class Activation { Activate, BesideTheSheet };
    // Shows the window, or brings it forward; BesideTheSheet shows it without
    // taking the keyboard from the sheet.
    void open(Activation activation = Activation::Activate);
    // Opens the window at its "Now flying" picker; once the contestant is
    // picked, the keyboard goes back to the sheet.
    void pickNowFlying();
    // FlightObserver: the journal records, then the window reads it.
    void calculated(const CalculationRecord &calculation) override;
    void flightEnded() override;

    // Opens the journal once the shown sheet has had its first frame, so that
    // a first start creating the file never delays it, and a journal that
    // cannot be kept is told at once rather than at the first score.
    void openJournalAfterFirstFrame(QWidget &sheet);
    // Opens the window beside the sheet once the sheet has had its first
    // frame: by then the window system has framed the sheet, and the window
    // is placed clear of it, or whole on a small screen.
    void openBesideAfterFirstFrame(QWidget &sheet);
    // The sheet the window opens beside, on a screen with room for both,
    // and in front of, on one without.
    void setSheet(QWidget &sheet) { m_sheet = &sheet; }
    // Told when the journal changes other than by a press on the sheet: a
    // correction or the entry list in the window, or calculations that
    // waited for the file and are now written.
    void setJournalChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    // Null until the first opening.
    FlightsWindow *window() const { return m_window.data(); }

private:
    void writeWaitingSoon();
    void nowFlying(std::int64_t entry);

    journal::FlightJournal &m_journal;
    QPointer<FlightsWindow> m_window;
    QPointer<QWidget> m_sheet;
    bool m_backToTheSheet = false;
    QTimer m_retry;
    std::function<void()> m_changed = [] {};
};

} // namespace orlo
