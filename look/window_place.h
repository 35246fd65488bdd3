#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace orlo {

// Where a window opens beside the sheet: its frame, and whether it covers
// part of the sheet all the same.
struct Placement {
    QRect frame;
    bool overSheet = false;
};

// Beside the sheet's frame, on the side with more room, at the size wanted
// narrowed down to the least when the room is narrower; when the sides are
// too narrow, under the sheet if the room there is high enough; on a screen
// without room even for the least, whole on the screen, as far from the
// sheet as the screen allows. Frames and sizes include the window system's frame.
Placement placeBeside(const QRect &available, const QRect &sheet, QSize wanted, QSize least);

// Moves and sizes window beside the sheet (see above); true when it covers
// part of the sheet all the same.
bool placeBeside(QWidget &window, const QWidget &sheet);
// Sizes window to fit the screen of near and moves it whole onto it, its
// corner at near's when there is room.
void placeWhole(QWidget &window, const QWidget &near);

// Where the windows' places are kept from one start to the next: an INI
// file. Until it is given (the tests), no place is read or kept.
void keepPlacesIn(const QString &settingsFile);
// Gives window the place and size it had when last moved, resized or
// closed; false, changing nothing, when none is kept, it would not show
// whole on the free area of a screen now (the screens changed), or it
// would cover a button of sheet (a place kept on a larger screen).
bool restorePlace(QWidget &window, const QString &key, const QWidget *sheet = nullptr);
// Whether frame, in screen coordinates, covers a push button of sheet.
bool coversButtonOf(const QRect &frame, const QWidget &sheet);
// Keeps window's place and size whenever it is moved, resized or closed.
void keepPlace(QWidget &window, const QString &key);

} // namespace orlo
