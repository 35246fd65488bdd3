#pragma once

#include "journal_version.h"

#include <QObject>
#include <QTimer>

#include <string>

namespace orlo {

// What changed in the contest, as the windows that show it are told.
enum class ContestChange {
    FlightRecorded, // a calculation recorded, or calculations that waited written
    FlightEnded,    // the flight on the sheet ended
    Correction,     // a flight's contestant, status or contest changed by the director
    Entries,        // the entry list: typed, imported, a contestant named flying
    Settings,       // the contest's settings, a class closed (Final) or reopened
    Merge,          // another scoring table's journal brought in
    CurrentContest, // another contest of the season made current
    AnotherProgram, // another program changed the journal
};

// The one "contest changed" signal of the program: every window that shows
// the contest listens to it, and everything that changes the contest tells
// it. Changes another program makes to the same journal are noticed by a
// look at SQLite's data_version every little while, once watch() has
// started it, and raised as AnotherProgram.
class ContestChanges final : public QObject {
    Q_OBJECT
public:
    explicit ContestChanges(std::string journalPath, QObject *parent = nullptr);

    // This program's own change, committed to the journal: told to every
    // listener at once. The journal as it is now is taken as seen, so that
    // this change is not raised again as another program's; anything
    // another program committed before it is read by the listeners anyway.
    void tell(ContestChange what);
    // Starts looking for other programs' changes. Called once the journal
    // is open: the first look loads SQLite and opens a connection, which
    // must not hold up the sheet's first frame.
    void watch();

signals:
    // Own changes and other programs'.
    void changed(orlo::ContestChange what);

private:
    void look();

    journal::JournalVersion m_version;
    QTimer m_looking;
};

} // namespace orlo
