#pragma once

#include "results_model.h"
#include "series_standings.h"

#include <QPageSize>
#include <QString>

#include <span>
#include <string>
#include <string_view>

namespace orlo {

// Whether a results file was written, and if not, the sentence that says why.
struct ResultsWritten {
    bool done = false;
    QString sentence;
};

// Writes the results as the file's extension names: .pdf on the paper given,
// or .html, one self-contained page. The file is written aside and put in
// place whole, so a failure leaves whatever was at path untouched. The PDF
// needs a QGuiApplication (its fonts), though no display.
ResultsWritten writeResultsDocument(const contest::Results &results, const QString &path, const QPageSize &paper);

// As writeResultsDocument, on the locale's paper, for the command line's
// table of formats: throws std::runtime_error saying why nothing was written.
void writeResultsDocumentOrThrow(const contest::Results &results, const std::string &path);

// As writeResultsDocumentOrThrow, the season's series.
void writeSeriesDocumentOrThrow(const contest::SeriesStandings &standings, const std::string &path);

// A format the results are written in, named by the file's extension. The
// writer writes the whole file or leaves what was there, and throws
// std::exception saying why.
// The season's series is written in the same formats.
struct ResultsFormat {
    std::string_view extension; // ".csv"
    void (*write)(const contest::Results &results, const std::string &path);
    void (*writeSeries)(const contest::SeriesStandings &standings, const std::string &path);
};

// Every format the results are saved in, from the command line and the
// Standings window alike.
std::span<const ResultsFormat> resultsFormats();
// The format of the file's extension, whatever its case; none when unknown.
const ResultsFormat *resultsFormatOf(const QString &path);
// ".csv, .xlsx, .pdf, .html": the extensions, for the help and its errors.
QString resultsExtensions();
// "Results (*.csv *.xlsx *.pdf *.html)", for a file dialog.
QString resultsFileFilter();

} // namespace orlo
