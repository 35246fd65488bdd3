#pragma once

#include "results_model.h"
#include "series_standings.h"

#include <QPageLayout>

class QPageSize;
class QPagedPaintDevice;

namespace orlo {

// Draws the results sheet on the device page by page, each numbered "Page 1
// of 3" at its foot: the contest's name and days, then for each class its
// heading, state, rule and table, then each combination's. A row is never
// split, and a table continued on a new page begins there with its header.
// The PDF, the printer and the print preview draw through this one function,
// so they break their pages alike. The device's page layout is used as it is
// set. Returns the number of pages drawn, none when the device cannot be
// painted on.
int paintResults(const contest::Results &results, QPagedPaintDevice &device);

// The season's series drawn as paintResults draws the contest's results:
// its name and contests, then for each class and combination its heading,
// state, rules in words and table.
int paintSeries(const contest::SeriesStandings &standings, QPagedPaintDevice &device);

// The sheet's page for the PDF and the printer alike, so that both break the
// pages at the same rows: the paper given, upright, 15 mm margins and 12 mm
// at the foot.
QPageLayout resultsPageLayout(const QPageSize &paper);

} // namespace orlo
