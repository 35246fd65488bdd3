#pragma once

#include <QStringList>

class QWidget;

// Checks that every caption of a window is shown whole in its own box with
// the font in use: labels, push buttons, option buttons, check boxes and
// group box titles, hidden ones included (they may be shown later). Labels
// and buttons that wrap are measured with word wrap; others on one line.
// Returns one line per caption that is cut off, naming the widget and the
// room it needed; empty when everything fits.
QStringList captionsCutOff(const QWidget &window);
