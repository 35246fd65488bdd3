#include "results_files.h"

#include "journal_files.h"
#include "results_document.h"
#include "results_pages.h"
#include "spreadsheet_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPdfWriter>
#include <QFile>

#include <stdexcept>

namespace orlo {

namespace {

// Leaves 72 dpi far behind for lines and text, and keeps the file's page
// geometry in whole numbers.
constexpr int pdfResolution = 300;

QString suffixOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

bool isResultsDocument(const QString &path)
{
    const QString suffix = suffixOf(path);
    return suffix == QLatin1String("pdf") || suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

QString titleOf(const contest::Results &results)
{
    return QString::fromStdString(results.contest.name);
}

QString titleOf(const contest::SeriesStandings &standings)
{
    return QString::fromStdString(standings.series.name);
}

int paintOn(const contest::Results &results, QPdfWriter &writer)
{
    return paintResults(results, writer);
}

int paintOn(const contest::SeriesStandings &standings, QPdfWriter &writer)
{
    return paintSeries(standings, writer);
}

QString htmlOf(const contest::Results &results)
{
    return resultsHtml(results);
}

QString htmlOf(const contest::SeriesStandings &standings)
{
    return seriesHtml(standings);
}

template <typename Shown>
void writePdf(const Shown &results, QFile &file, const QPageSize &paper)
{
    QPdfWriter writer(&file);
    writer.setResolution(pdfResolution);
    writer.setPageLayout(resultsPageLayout(paper));
    writer.setTitle(titleOf(results));
    writer.setCreator(QCoreApplication::applicationName());
    if (paintOn(results, writer) == 0)
        throw std::runtime_error("the PDF could not be drawn");
}

// Why the results, or the series, could not be written to path; empty once they are.
template <typename Shown>
QString problemWriting(const Shown &results, const QString &path, const QPageSize &paper)
{
    if (!isResultsDocument(path))
        return QStringLiteral("its name ends in neither .pdf nor .html");
    if (QFileInfo(path).isDir())
        return QStringLiteral("it is a folder; name a file in it");
    try {
        journal::writeAside(path.toStdString(), [&](const std::string &part) {
            QFile file(QString::fromStdString(part));
            if (!file.open(QIODevice::WriteOnly))
                throw std::runtime_error(file.errorString().toStdString());
            if (suffixOf(path) == QLatin1String("pdf"))
                writePdf(results, file, paper);
            else
                file.write(htmlOf(results).toUtf8());
            file.close();
            if (file.error() != QFileDevice::NoError)
                throw std::runtime_error(file.errorString().toStdString());
        });
    } catch (const std::runtime_error &failure) {
        return QString::fromStdString(failure.what());
    }
    return {};
}

} // namespace

ResultsWritten writeResultsDocument(const contest::Results &results, const QString &path, const QPageSize &paper)
{
    if (const QString problem = problemWriting(results, path, paper); !problem.isEmpty())
        return {false, QStringLiteral("Cannot write the results to %1: %2. Nothing was written.")
                           .arg(QDir::toNativeSeparators(path), problem)};
    return {true, QStringLiteral("Wrote the results to %1.").arg(QDir::toNativeSeparators(path))};
}

void writeResultsDocumentOrThrow(const contest::Results &results, const std::string &path)
{
    if (const QString problem = problemWriting(results, QString::fromStdString(path), paperFor(QLocale()));
        !problem.isEmpty())
        throw std::runtime_error(problem.toStdString());
}

void writeSeriesDocumentOrThrow(const contest::SeriesStandings &standings, const std::string &path)
{
    if (const QString problem = problemWriting(standings, QString::fromStdString(path), paperFor(QLocale()));
        !problem.isEmpty())
        throw std::runtime_error(problem.toStdString());
}

namespace {

// The one list of the results' formats.
const ResultsFormat formats[] = {
    {".csv", exports::writeResultsCsv, exports::writeSeriesCsv},
    {".xlsx", exports::writeResultsXlsx, exports::writeSeriesXlsx},
    {".pdf", writeResultsDocumentOrThrow, writeSeriesDocumentOrThrow},
    {".html", writeResultsDocumentOrThrow, writeSeriesDocumentOrThrow},
};

} // namespace

std::span<const ResultsFormat> resultsFormats()
{
    return formats;
}

const ResultsFormat *resultsFormatOf(const QString &path)
{
    for (const ResultsFormat &format : formats)
        if (path.endsWith(QLatin1String(format.extension.data(), qsizetype(format.extension.size())),
                          Qt::CaseInsensitive))
            return &format;
    return nullptr;
}

QString resultsExtensions()
{
    QStringList extensions;
    for (const ResultsFormat &format : formats)
        extensions << QLatin1String(format.extension.data(), qsizetype(format.extension.size()));
    return extensions.join(QStringLiteral(", "));
}

QString resultsFileFilter()
{
    QStringList patterns;
    for (const ResultsFormat &format : formats)
        patterns << QStringLiteral("*") + QLatin1String(format.extension.data(), qsizetype(format.extension.size()));
    return QStringLiteral("Results (%1)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace orlo
