#pragma once

#include "field_view.h"

#include <string>
#include <vector>

namespace orlo::field {

// What the big screen shows in its corner: the phone page's address and its
// QR code (an SVG drawn by qrSvg), so that spectators follow on their phones.
struct TvCorner {
    std::string address; // "http://192.168.1.20:8080/"
    std::string qrSvg;
};

// Rows of a class shown at once on a 1920×1080 screen in type read from ten
// metres, clear of the banner at its foot.
inline constexpr std::size_t tvRowsPerPage = 8;

// "/tv": one class (or a page of a long one) at a time, cycling, a banner
// after each flight ("Just flown: …"), the corner in a corner.
std::string tvPage(const FieldView &view, const TvCorner &corner);

// A QR code's modules, row by row (true: dark), as an SVG of its own with the
// quiet zone around it.
std::string qrSvg(const std::vector<bool> &modules, int width);

} // namespace orlo::field
