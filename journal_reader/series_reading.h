#pragma once

#include "journal_reader.h"
#include "series_standings.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlo::journal {

// A series asked for that the journal does not hold, or none named where it holds several.
class UnknownSeries : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The series of that name (whatever its case and blanks); with no name, the
// journal's one series, or the default rules over every contest when it has
// none. Throws UnknownSeries, and JournalProblem as the reader does.
contest::SeriesSettings seriesNamed(const JournalReader &reader, const std::string &name);

// The contests the series counts, in the season's order, each ranked as its
// own results are ranked. Reads every contest through the reader, which is
// left reading the current contest.
std::vector<contest::SeriesContest> seriesContests(JournalReader &reader, const contest::SeriesSettings &series);

// The series standings of the journal at path: the series named as
// seriesNamed() finds it, of the classes and combinations named, or of all.
// Throws UnknownSeries, contest::UnknownClass and JournalProblem.
// Every series of the journal, ranked: each contest read once however many
// series count it. The contest of id given has the results given (the
// standings a reader just read) rather than being read again; none given,
// every contest is read. The reader is left reading the current contest.
std::vector<contest::SeriesStandings> everySeries(JournalReader &reader, std::int64_t readContest = -1,
                                                  const contest::Results *read = nullptr);

contest::SeriesStandings readSeriesStandings(const std::string &path, const std::string &name,
                                             const std::vector<std::string> &captions = {});

} // namespace orlo::journal
