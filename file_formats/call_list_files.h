#pragma once

#include "results_model.h"

#include <QPageLayout>
#include <QString>

#include <string>
#include <vector>

class QPagedPaintDevice;

namespace orlo {

// "Spring Meet: Call list", or "Call list" for a contest without a name.
std::string callListTitle(const std::string &contestName);

// The call list as one HTML page in type large enough for a pit board: the
// title, then each round's table with a box to tick.
QString callListHtml(const std::string &title, const std::vector<contest::ResultTable> &tables);

// The call list's pages on a printer or a PDF, on the page callListPage() gives.
void drawCallList(QPagedPaintDevice &device, const std::string &title, const std::vector<contest::ResultTable> &tables);
// Portrait on the country's paper (Letter in the US, else A4), margins of 15 mm.
QPageLayout callListPage();

// Writes the call list as the file's extension names: .pdf, .html, .csv or
// .xlsx, the results' formats. Written aside and put in place whole; throws
// std::runtime_error saying why nothing was written. The PDF needs a
// QGuiApplication (its fonts), though no display.
void writeCallList(const std::string &title, const std::vector<contest::ResultTable> &tables, const std::string &path);

} // namespace orlo
