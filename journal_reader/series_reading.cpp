#include "series_reading.h"

#include "contestant_names.h"
#include "journal_schema.h"
#include "local_time.h"

#include <algorithm>
#include <ctime>
#include <iterator>

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

std::vector<contest::SeriesStandings> everySeries(JournalReader &reader, std::int64_t readContest,
                                                  const contest::Results *read)
{
    const std::vector<contest::SeriesSettings> all = reader.series();
    if (all.empty())
        return {};
    const std::string asOf = localTimeText(std::time(nullptr), "%Y-%m-%dT%H:%M:%S%z");
    std::vector<contest::SeriesContest> season;
    {
        struct Back {
            JournalReader &reader;
            ~Back() { reader.chooseContest(0); }
        } back{reader};
        for (const SeasonContest &held : reader.contests()) {
            if (std::none_of(all.begin(), all.end(),
                             [&](const contest::SeriesSettings &series) { return contest::seriesCounts(series, held.uuid); }))
                continue;
            if (read && held.id == readContest) {
                season.push_back({held.uuid, held.name, *read});
                continue;
            }
            reader.chooseContest(held.id);
            season.push_back({held.uuid, held.name,
                              contest::rank(reader.contest(), reader.entries(), reader.scoredFlights(), {}, asOf)});
        }
    }
    std::vector<contest::SeriesStandings> standings;
    for (const contest::SeriesSettings &series : all) {
        std::vector<contest::SeriesContest> counted;
        std::copy_if(season.begin(), season.end(), std::back_inserter(counted),
                     [&](const contest::SeriesContest &held) { return contest::seriesCounts(series, held.id); });
        standings.push_back(contest::rankSeries(series, counted));
    }
    return standings;
}

contest::SeriesStandings readSeriesStandings(const std::string &path, const std::string &name,
                                             const std::vector<std::string> &captions)
{
    JournalReader reader(path);
    const contest::SeriesSettings series = seriesNamed(reader, name);
    return contest::rankSeries(series, seriesContests(reader, series), captions);
}

} // namespace orlo::journal
