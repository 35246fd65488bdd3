#include "series_reading.h"

#include "contestant_names.h"
#include "journal_schema.h"
#include "local_time.h"

#include <ctime>

namespace orlo::journal {

contest::SeriesSettings seriesNamed(const JournalReader &reader, const std::string &name)
{
    const std::vector<contest::SeriesSettings> all = reader.series();
    std::string held;
    for (const contest::SeriesSettings &series : all) {
        if (!name.empty() && contest::sameName(series.name, name))
            return series;
        held += (held.empty() ? "" : ", ") + series.name;
    }
    if (!name.empty())
        throw UnknownSeries("the journal holds no series named \"" + name + "\""
                            + (held.empty() ? std::string(" (it holds none yet)") : "; it holds " + held));
    if (all.size() > 1)
        throw UnknownSeries("the journal holds several series (" + held + "); name one with --series");
    if (all.size() == 1)
        return all.front();
    contest::SeriesSettings season;
    season.name = "Season series";
    return season;
}

std::vector<contest::SeriesContest> seriesContests(JournalReader &reader, const contest::SeriesSettings &series)
{
    const std::string asOf = localTimeText(std::time(nullptr), "%Y-%m-%dT%H:%M:%S%z");
    std::vector<contest::SeriesContest> contests;
    struct Back {
        JournalReader &reader;
        ~Back() { reader.chooseContest(0); }
    } back{reader};
    for (const SeasonContest &held : reader.contests()) {
        if (!contest::seriesCounts(series, held.uuid))
            continue;
        reader.chooseContest(held.id);
        contests.push_back({held.uuid, held.name,
                            contest::rank(reader.contest(), reader.entries(), reader.scoredFlights(), {}, asOf)});
    }
    return contests;
}

contest::SeriesStandings readSeriesStandings(const std::string &path, const std::string &name,
                                             const std::vector<std::string> &captions)
{
    JournalReader reader(path);
    const contest::SeriesSettings series = seriesNamed(reader, name);
    return contest::rankSeries(series, seriesContests(reader, series), captions);
}

} // namespace orlo::journal
