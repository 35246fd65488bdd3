#pragma once

#include "series_settings.h"

#include <string>
#include <vector>

namespace orlo::journal {

class Database;
class ReadOnlyDatabase;

// The season's series as the journal keeps them, each in the caller's transaction.

// The series, their rules per class and the director's choices of near names.
void addSeries(const Database &db);
// Every series, by name.
template <class Connection>
std::vector<contest::SeriesSettings> readSeries(const Connection &db);
// Keeps the series in place of the one of its name (whatever its case and
// blanks), stamped with the time of the change.
void writeSeries(const Database &db, const contest::SeriesSettings &series, const std::string &changedAt);
// Brings the other table's series: one this journal lacks is added, one
// changed later there replaces this one's. Says what it took, a line each.
std::vector<std::string> mergeSeries(const Database &here, const Database &other);

} // namespace orlo::journal
