#pragma once

#include <QString>
#include <QStringList>

#include <variant>

namespace orlo {

// What the command line asks of this start of the program.
struct StartOptions {
    QString journalPath; // empty: no journal is kept
    bool journalWindow = false;
    QString exportPath; // set: the flights are exported and no window opens
    QString day;        // "YYYY-MM-DD": only that day's flights are exported
    QString backupPath; // set: the journal is copied there and no window opens
    QString importPath; // set: the registration file's entries are added to the journal's list
    QString resultsPath; // set: the contest's results are written there and no window opens
    QStringList classes; // the classes of the results; every class when none
    QString contestName; // set: the results, export or import are of that contest, not the current one
    bool listContests = false;
    QString newContest; // set: a contest of that name is started and made current
    QString firstDay, lastDay; // the new contest's days, "YYYY-MM-DD"
    bool copyEntries = false;  // the new contest starts with the current one's entry list
    QString mergePath; // set: that journal of another scoring table is merged into the journal
    QString seriesResultsPath; // set: the season's series standings are written there
    QString seriesName;        // the series written; empty: the journal's one series
    QString serve;     // set: "[ADDRESS:]PORT", the standings are served there until interrupted
    QString callListPath; // set: the call list is written there
    int round = 0;        // the call list's round; 0: every round
    QString drawClass;    // set: that class's order is drawn
    QString seed;         // the draw's seed; empty: a fresh one
};

// Whether the arguments ask for the help, the version, an export or hold an
// unknown long option: these are answered without a window, so they work
// without a display. Decided before any application object exists, from the
// raw arguments.
bool runsWithoutWindow(int argc, char *argv[]);

// Whether the arguments ask for a results PDF, which lays its text out in
// fonts: that takes a QGuiApplication, which the offscreen platform gives
// without a display.
bool drawsPages(int argc, char *argv[]);
// Sets the offscreen platform for drawing pages, before the application
// object exists, and keeps Qt's note on a missing runtime folder off the
// standard error, which holds the command's one line.
void prepareToDrawPages();

// The options, or the exit status when the program ends here: after the help
// or the version, or a one-line error (status 2) for a wrong command line.
std::variant<StartOptions, int> parseCommandLine(const QStringList &arguments);

// Writes the flights to options.exportPath as CSV or XLSX, the results to
// options.resultsPath, or the journal's backup to
// options.backupPath, and says how many flights it wrote on the standard
// output; or writes nothing and says why in one line on the standard error.
// An import adds the registration file's entries and says how many, or adds
// none and says why, a line for each bad row. Returns the exit status.
int runJournalCommand(const StartOptions &options);

} // namespace orlo
