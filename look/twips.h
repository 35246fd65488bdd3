#pragma once

#include <QRect>

// Both windows are laid out in twips: 15 to the pixel at 96 dots per inch,
// rounded to the nearest pixel. Qt scales pixels for high-density screens.
namespace orlo {

constexpr int pixelsFromTwips(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width), pixelsFromTwips(height)};
}

} // namespace orlo
