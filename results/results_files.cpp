#include "results_files.h"

#include "journal_files.h"
#include "results_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPdfWriter>
#include <QFile>
#include <QTextDocument>

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

void writePdf(const contest::Results &results, QFile &file, const QPageSize &paper)
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


// Why the results could not be written to path; empty once they are.
QString problemWriting(const contest::Results &results, const QString &path, const QPageSize &paper)
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
                file.write(resultsHtml(results).toUtf8());
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

bool isResultsDocument(const QString &path)
{
    const QString suffix = suffixOf(path);
    return suffix == QLatin1String("pdf") || suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

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

} // namespace orlo
