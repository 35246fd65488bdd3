#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QTableWidget;
class QWidget;

namespace orlo {
class ScoreSheetWindow;
class StandingsWindow;
} // namespace orlo
struct WiredProgram;

// Steps and readings the Standings window's tests share: the table as it
// reads, the sheet's remark, and the season's steps taken through the
// windows.
namespace standings_steps {

// The Standings window's controls, by their object names.
QComboBox *chooserOf(const QWidget &window);
QTableWidget *tableOf(const QWidget &window);
QLabel *stateLineOf(const QWidget &window);

// A row of the Standings window's table as its cells read, joined by " | ".
QString rowOf(const orlo::StandingsWindow &window, int row);
QString rowsOf(const orlo::StandingsWindow &window);
// The remark shown over the sheet on the flight; empty when none is shown.
QString remarkOn(const orlo::ScoreSheetWindow &sheet);
// Starts the contest named from the sheet's keys and checks every window names it.
void newContestStartedFromTheSheet(WiredProgram &program, const QString &contest, const QString &day);
// Told once, then moved by the keyboard to the contest of its day.
void flightMovedToItsContest(WiredProgram &program, const QString &path);

} // namespace standings_steps
