#pragma once

#include "flight_journal.h"

#include <QString>

#include <vector>

// Writes flights as CSV for a spreadsheet, the whole file or none of it: it
// is written aside and put in place at the end. On failure, problem says why.
bool writeFlightsCsv(const QString &fileName, const std::vector<orlo::journal::FlightRow> &flights,
                     QString &problem);
