#pragma once

#include <QFont>

// The windows are laid out in pixels for Tahoma's metrics. On Debian the
// Tahoma-metric fonts of the fonts-wine package are not known to fontconfig,
// so they are registered for this process; where Tahoma is installed (as on
// Windows) that one is used.
namespace orlo {

// Registers Wine's Tahoma Bold, to be emboldened as it is drawn, if the
// system has no Tahoma. Returns whether Tahoma is available afterwards.
// Safe to call more than once.
bool registerTahoma();

// Tahoma bold at a size in pixels, so that a desktop's font-DPI setting
// cannot make text outgrow boxes that are fixed in pixels.
// 9.75 pt at 96 dpi is 13 px, 14.25 pt is 19 px, 24 pt is 32 px.
QFont tahomaBold(int pixelSize = 13);

} // namespace orlo
