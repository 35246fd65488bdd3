#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// The program's own pictures as drawings: the stopwatch (window and program
// icon) and the carrier logo. Only render_artwork draws them, at build time;
// the program decodes the images it made (sheet_artwork.h).
namespace orlo {

// Draws the stopwatch into a square; app/icons/orlo-score.svg is the same
// drawing on its 256-unit grid, for the desktop's icon theme.
void paintStopwatch(QPainter &painter, const QRectF &square);

// The 300 x 232 logo of the score sheet's picture box, drawn at a size.
// Needs the Tahoma-metric fonts registered (tahoma_font.h).
QImage drawCarrierLogo(const QSize &box);

} // namespace orlo
