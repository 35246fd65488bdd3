#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;

// The program's own pictures, drawn in code so that they stay crisp at any
// size: the stopwatch (window and program icon) and the carrier logo.
namespace orlo {

// Draws the stopwatch into a square; app/icons/orlo-score.svg is the same
// drawing on its 256-unit grid, for the desktop's icon theme.
void paintStopwatch(QPainter &painter, const QRectF &square);

// The stopwatch, painted at whatever size is asked for.
QIcon stopwatchIcon();

// The 300 x 232 logo of the score sheet's picture box, stretched to a size.
QPixmap carrierLogo(const QSize &box = QSize(300, 232));

} // namespace orlo
