#pragma once

#include <QPalette>

class QStyle;
class QWidget;

// The windows' own look, the same under every desktop colour scheme and
// platform theme: the light palette the windows were laid out in, and a
// focus mark that shows in sunlight.
namespace orlo {

// Window grey, white text boxes, black text.
QPalette designedPalette();

// The desktop's style with the focus mark; the application owns it. Made the
// application's style before any window, every control takes it from there.
QStyle *designedStyle();

// Gives a top-level window and every control it holds now the designed
// palette and the focus mark. Call it once the controls are made; a message
// box needs it too, since windows take the application's palette, not their
// parent's.
void applyDesignedLook(QWidget &window);

} // namespace orlo
