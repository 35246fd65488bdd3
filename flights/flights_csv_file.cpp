#include "flights_csv_file.h"

#include <QSaveFile>

bool writeFlightsCsv(const QString &fileName, const std::vector<orlo::journal::FlightRow> &flights,
                     QString &problem)
{
    const std::string csv = orlo::journal::flightsCsv(flights);
    QSaveFile file(fileName);
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size())
                         && file.commit();
    if (!written)
        problem = file.errorString();
    return written;
}
