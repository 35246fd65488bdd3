#include "results_files.h"

#include "results_document.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace orlo {

namespace {

// Leaves 72 dpi far behind for lines and text, and keeps the file's page
// geometry in whole numbers.
constexpr int pdfResolution = 300;

QString suffixOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

void writePdf(const standings::Results &results, QSaveFile &file, const QPageSize &paper)
{
    QPdfWriter writer(&file);
    writer.setResolution(pdfResolution);
    writer.setPageSize(paper);
    writer.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
    writer.setTitle(QString::fromStdString(results.contest.name));
    writer.setCreator(QCoreApplication::applicationName());
    QTextDocument document;
    fillResultsDocument(document, results);
    printPaged(document, writer);
}

} // namespace

bool isResultsDocument(const QString &path)
{
    const QString suffix = suffixOf(path);
    return suffix == QLatin1String("pdf") || suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

ResultsWritten writeResultsDocument(const standings::Results &results, const QString &path, const QPageSize &paper)
{
    if (!isResultsDocument(path))
        return {false, QStringLiteral("%1 names no results file this program writes: its name ends in .pdf or "
                                      ".html. Nothing was written.")
                           .arg(path)};
    if (QFileInfo(path).isDir())
        return {false, QStringLiteral("%1 is a folder. Name a file to write the results to. Nothing was written.")
                           .arg(path)};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, QStringLiteral("Cannot write the results to %1: %2. Nothing was written.")
                           .arg(path, file.errorString())};
    if (suffixOf(path) == QLatin1String("pdf"))
        writePdf(results, file, paper);
    else
        file.write(resultsHtml(results).toUtf8());
    if (!file.commit())
        return {false, QStringLiteral("Cannot write the results to %1: %2. Nothing was written.")
                           .arg(path, file.errorString())};
    return {true, QStringLiteral("Wrote the results to %1.").arg(path)};
}

} // namespace orlo
