#pragma once

#include "sheet_headings.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

// The program's own pictures, the stopwatch (window icon), the carrier logo
// and the sheet's headings, as render_artwork drew them at build time
// (artwork_drawing.h, sheet_headings.h): raw pixels in the program's
// resources, which start-up reads where they lie.
namespace orlo {

// The size the logo is made at: the score sheet's picture box inside its frame.
inline constexpr QSize carrierLogoSize(258, 195);

// The stopwatch in the sizes a window system asks a window's icon for.
QIcon stopwatchIcon();

// The logo of the score sheet's picture box; another size than the one it
// is made at is scaled from it.
QPixmap carrierLogo(const QSize &box = carrierLogoSize);

// A heading's pixels for HeadingLabel; a null image where there are none.
QImage headingArtwork(const SheetHeading &heading);

} // namespace orlo
