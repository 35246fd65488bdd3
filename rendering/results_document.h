#pragma once

#include "results_model.h"
#include "series_standings.h"

#include <QPageSize>
#include <QString>

class QLocale;

namespace orlo {

// The contest's result as one HTML page: the contest's name and days, a table
// per class and per combination, provisional or final. Its style sits inside
// the page, so the file alone is the whole sheet on a club's web site.
QString resultsHtml(const contest::Results &results);

// The season's series as one HTML page: its name and contests, a table per
// class and per combination with its rules in words, provisional or final.
QString seriesHtml(const contest::SeriesStandings &standings);
// One table of the results model as the sheets show it, an HTML table.
QString resultTableHtml(const contest::ResultTable &table);

// Letter where the locale measures in US units, A4 everywhere else.
QPageSize paperFor(const QLocale &locale);

// "2026-12-08 14:03" from the journal's "2026-12-08T14:03:27+01:00".
QString shownToTheMinute(const std::string &localTime);

} // namespace orlo
