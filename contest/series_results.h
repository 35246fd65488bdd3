#pragma once

#include "results_model.h"
#include "series_standings.h"

#include <string>
#include <vector>

namespace orlo::contest {

// The columns and rows of a class's or combination's series, as every
// window and file shows them: place, contestant, number, each contest's
// points (a dropped one marked, shown in brackets on the sheets) and the
// total; in files also the series, the class, the contests dropped, the
// series' state and its rules in words.
ResultTable seriesResults(const SeriesTable &table, const SeriesStandings &standings);

// The sentences said above a table of the series: its state when
// provisional, how points are earned, which contests count, how ties are
// broken.
std::vector<std::string> seriesSentences(const SeriesTable &table, const SeriesSettings &series);

} // namespace orlo::contest
