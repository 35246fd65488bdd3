#pragma once

#include "standings.h"

#include <QPageSize>
#include <QString>

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

// Whether writeResultsDocument writes files of this name's extension.
bool isResultsDocument(const QString &path);

// As writeResultsDocument, on the locale's paper, for the command line's
// table of formats: throws std::runtime_error saying why nothing was written.
void writeResultsDocumentOrThrow(const contest::Results &results, const std::string &path);

} // namespace orlo
