#include "journal_exports.h"

#include "flight_journal.h"
#include "journal_files.h"
#include "journal_schema.h"

#include <QDir>

#include <stdexcept>

namespace orlo {

namespace {

QString flightsWritten(int count)
{
    return count == 1 ? QStringLiteral("1 flight") : QStringLiteral("%1 flights").arg(count);
}

} // namespace

JournalExport exportFlightsCsv(const QString &journalPath, const journal::FlightFilter &filter,
                               const QString &fileName)
{
    const QString shownName = QDir::toNativeSeparators(fileName);
    const auto cannot = [&shownName](const QString &why) {
        return JournalExport{false, QStringLiteral("Cannot export to %1: %2 Nothing was written.").arg(shownName, why), {}};
    };
    if (journal::isJournalFile(fileName.toStdString(), journalPath.toStdString()))
        return cannot(QStringLiteral("that is the flight journal itself."));
    std::vector<journal::FlightRow> flights;
    QString notice;
    try {
        const journal::JournalReader reader(journalPath.toStdString());
        flights = reader.flights(filter);
        notice = QString::fromStdString(reader.notice());
    } catch (const journal::JournalProblem &problem) {
        return cannot(QString::fromStdString(problem.what()));
    }
    const std::string csv = journal::flightsCsv(flights);
    try {
        journal::writeFileAside(fileName.toStdString(), csv);
    } catch (const std::runtime_error &failure) {
        return cannot(QString::fromStdString(failure.what()) + QLatin1Char('.'));
    }
    return {true, QStringLiteral("Exported %1 to %2.").arg(flightsWritten(static_cast<int>(flights.size())), shownName),
            notice};
}

JournalExport backUpJournalTo(const QString &journalPath, const QString &fileName)
{
    try {
        const int flights = journal::backUpJournal(journalPath.toStdString(), fileName.toStdString());
        return {true, QStringLiteral("Backed up the journal, %1, to %2.")
                          .arg(flightsWritten(flights), QDir::toNativeSeparators(fileName)),
                {}};
    } catch (const journal::JournalProblem &problem) {
        return {false, QString::fromStdString(problem.what()), {}};
    }
}

} // namespace orlo
