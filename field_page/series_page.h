#pragma once

#include "field_view.h"

#include <string>

namespace orlo::field {

// "/series": the season's series for a phone, each of the journal's series
// with a table for each class and combination: the place, the contestant,
// each contest's points (the dropped ones in brackets) and the total, under
// the rules in the words of the results sheets.
std::string seriesPage(const FieldView &view);

} // namespace orlo::field
