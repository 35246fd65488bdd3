#pragma once

#include "contest_changes.h"
#include "flight_journal.h"
#include "flight_order_window.h"
#include "flights_window_opener.h"
#include "journal_in_use_mark.h"
#include "journal_recorder.h"
#include "landing_dialog_launcher.h"
#include "network_window.h"
#include "score_sheet_window.h"
#include "standings_window.h"

#include <QFont>
#include <QString>

#include <memory>

namespace orlo {

class ManualWindow;

// The program's windows wired as the official uses them: the score sheet,
// its landing dialog and, with a journal, the journal and the flights window.
class OrloProgram {
public:
    // Keeps no journal when journalPath is empty. The journal file is opened
    // by start(), not here.
    explicit OrloProgram(const QString &journalPath = {});
    ~OrloProgram();
    OrloProgram(const OrloProgram &) = delete;
    OrloProgram &operator=(const OrloProgram &) = delete;

    enum class FlightsWindow { Closed, BesideTheSheet };
    // Shows the sheet fitted to the screen, opens the journal once the sheet
    // has had its first frame, and starts the sheet's rules.
    void start(FlightsWindow flightsWindow = FlightsWindow::Closed);

    ScoreSheetWindow &sheet() { return m_sheet; }
    LandingDialogLauncher &landing() { return m_landing; }
    // Null without a journal.
    journal::FlightJournal *journal() const { return m_journal.get(); }
    JournalRecorder *recorder() const { return m_recorder.get(); }
    ContestChanges *changes() const { return m_changes.get(); }
    FlightsWindowOpener *flights() const { return m_flights.get(); }
    // Shows the Standings window, built at its first opening, beside the
    // sheet; Ctrl+R on the sheet does the same. Nothing without a journal.
    void openStandings();
    enum class ContestsShown { List, NewContest };
    // Shows the season's contests, blocking the sheet; NewContest opens the
    // start of a new contest over them. Ctrl+Shift+L and Ctrl+Shift+N on the sheet.
    void openContests(ContestsShown shown = ContestsShown::List);
    // Null until the first opening.
    StandingsWindow *standings() const { return m_standings.get(); }
    // Shows "Show on the network…", built at its first opening; Ctrl+Shift+W
    // on the sheet and a button of the Standings window do the same. Nothing
    // without a journal. The pages are served until the program ends or the
    // director stops them, the window closed or not.
    void openNetwork();
    // Another program had the same journal open as this one started: this
    // one's windows open off the places the other's are at, and say so.
    bool journalOpenElsewhere() const { return m_mark && m_mark->heldElsewhere(); }
    // Shows the user's manual, built at its first opening; F1 in any of the
    // program's windows does the same, with or without a journal.
    void openManual();
    // Shows the order of flying; Ctrl+Shift+O on the sheet, Flight order… in the Standings window.
    void openFlightOrder();
    // Null until the first opening.
    FlightOrderWindow *flightOrder() const { return m_order.get(); }

private:
    // What the program itself does at a change: the remark on a flight
    // recorded, the contest's name on the sheet, nobody flying once another
    // contest is current. The windows follow the change on their own.
    void contestChanged(ContestChange what);
    // What the official is to know of the flight just recorded, over the sheet.
    void remarkOnTheFlight();
    // The sheet's title names the current contest, once it has a name.
    void nameTheContest();
    // The sheet says who flies next, read afresh from the journal; a failed
    // read leaves the line empty and scoring goes on.
    void callTheNext();
    // What to say of the flight on the sheet, recorded on a day outside the
    // current contest's days; empty when inside them or said already.
    QString outsideTheDaysOnce();

    // The journal, its changes, its recorder and the flights window outlive
    // the sheet, which ends its flight as it closes; the window goes first,
    // the recorder writing what waits after it, the changes it tells last.
    std::unique_ptr<JournalInUseMark> m_mark;
    std::unique_ptr<journal::FlightJournal> m_journal;
    std::unique_ptr<ContestChanges> m_changes;
    std::unique_ptr<JournalRecorder> m_recorder;
    std::unique_ptr<FlightsWindowOpener> m_flights;
    std::unique_ptr<StandingsWindow> m_standings;
    std::unique_ptr<NetworkWindow> m_network;
    std::unique_ptr<ManualWindow> m_manual;
    std::unique_ptr<FlightOrderWindow> m_order;
    std::string m_toldOutsideTheDays; // the contest and days said of
    QFont m_systemFont;
    ScoreSheetWindow m_sheet;
    LandingDialogLauncher m_landing;
};

} // namespace orlo
