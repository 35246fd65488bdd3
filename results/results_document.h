#pragma once

#include "standings.h"

#include <QPageSize>
#include <QString>

class QLocale;
class QPagedPaintDevice;
class QTextDocument;

namespace orlo {

// The contest's result as one HTML page: the contest's name and days, a table
// per class and per combination, provisional or final. Its style sits inside
// the page, so the file alone is the whole sheet on a club's web site.
QString resultsHtml(const contest::Results &results);

// The same page laid out for paper: the table headers repeat on every page.
void fillResultsDocument(QTextDocument &document, const contest::Results &results);

// Letter where the locale measures in US units, A4 everywhere else.
QPageSize paperFor(const QLocale &locale);

// Prints the document on the device page by page, each page numbered
// "Page 1 of 3" at its foot. The device's page layout is used as it is set.
void printPaged(QTextDocument &document, QPagedPaintDevice &device);

// "2026-12-08 14:03" from the journal's "2026-12-08T14:03:27+01:00".
QString shownToTheMinute(const std::string &localTime);

} // namespace orlo
