#include "series_store.h"

#include "contest_tables.h"
#include "contestant_names.h"
#include "database.h"
#include "final_class.h"
#include "journal_steps.h"

#include <optional>

namespace orlo::journal {

using contest::CountedContests;
using contest::SeriesScheme;
using contest::SharedPlaces;

void addSeries(const Database &db)
{
    // A series is found by its compared name. Its contests are kept by
    // their identifiers, one a line, so they survive a merge; none kept
    // counts every contest. A class's rule and a choice about two names are
    // rows of their own. changed_at lets a merge keep the later of two tables' series.
    execute(db, R"sql(
CREATE TABLE series (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    compared_name TEXT NOT NULL UNIQUE,
    contests TEXT NOT NULL DEFAULT '',
    counted TEXT NOT NULL DEFAULT 'all',
    best INTEGER NOT NULL DEFAULT 0,
    worst INTEGER NOT NULL DEFAULT 0,
    drop_from INTEGER NOT NULL DEFAULT 0,
    changed_at TEXT NOT NULL DEFAULT ''
);
CREATE TABLE series_rule (
    series INTEGER NOT NULL REFERENCES series(id),
    position INTEGER NOT NULL,
    caption TEXT NOT NULL,
    scheme TEXT NOT NULL DEFAULT 'place-points',
    place_points TEXT NOT NULL DEFAULT '',
    shared_places TEXT NOT NULL DEFAULT 'mean',
    PRIMARY KEY (series, caption)
);
CREATE TABLE series_name (
    series INTEGER NOT NULL REFERENCES series(id),
    first TEXT NOT NULL,
    second TEXT NOT NULL,
    joined INTEGER NOT NULL,
    PRIMARY KEY (series, first, second)
);
)sql");
}

namespace {

const char *schemeWord(SeriesScheme scheme)
{
    switch (scheme) {
    case SeriesScheme::PerCentOfWinner:
        return "per-cent";
    case SeriesScheme::LowPoint:
        return "low-point";
    case SeriesScheme::PlacePoints:
        break;
    }
    return "place-points";
}

const char *countedWord(CountedContests counted)
{
    switch (counted) {
    case CountedContests::Best:
        return "best";
    case CountedContests::AllButWorst:
        return "all-but-worst";
    case CountedContests::All:
        break;
    }
    return "all";
}

// A word this program does not know, written by a later one, reads as the default.
SeriesScheme schemeOf(const std::string &word)
{
    return word == "per-cent" ? SeriesScheme::PerCentOfWinner
         : word == "low-point" ? SeriesScheme::LowPoint
                               : SeriesScheme::PlacePoints;
}

CountedContests countedOf(const std::string &word)
{
    return word == "best" ? CountedContests::Best
         : word == "all-but-worst" ? CountedContests::AllButWorst
                                   : CountedContests::All;
}

std::string joined(const std::vector<std::string> &parts, const char *by)
{
    std::string said;
    for (const std::string &part : parts)
        said += (said.empty() ? "" : by) + part;
    return said;
}

std::vector<std::string> wordsOf(const std::string &text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + ' ')
        if (c == ' ') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    return words;
}

std::optional<std::int64_t> seriesNamed(const Database &db, const std::string &name)
{
    Statement query(db, "SELECT id FROM series WHERE compared_name = ?1");
    query.bind(1, contest::comparedName(name));
    return query.step() ? std::optional(query.integer(0)) : std::nullopt;
}

std::string changedAtOf(const Database &db, std::int64_t series)
{
    Statement query(db, "SELECT changed_at FROM series WHERE id = ?1");
    query.bind(1, series);
    return query.step() ? query.text(0) : std::string();
}

template <class Connection>
std::vector<std::pair<contest::SeriesSettings, std::string>> readWithTimes(const Connection &db)
{
    std::vector<std::pair<contest::SeriesSettings, std::string>> all;
    std::vector<std::int64_t> ids;
    Statement query(db, "SELECT id, name, contests, counted, best, worst, drop_from, changed_at FROM series ORDER BY name");
    while (query.step()) {
        contest::SeriesSettings series;
        ids.push_back(query.integer(0));
        series.name = query.text(1);
        series.contests = linesOf(query.text(2));
        series.counted = countedOf(query.text(3));
        series.best = int(query.integer(4));
        series.worst = int(query.integer(5));
        series.dropFrom = int(query.integer(6));
        all.emplace_back(std::move(series), query.text(7));
    }
    for (std::size_t at = 0; at < all.size(); ++at) {
        contest::SeriesSettings &series = all[at].first;
        Statement rules(db, "SELECT caption, scheme, place_points, shared_places FROM series_rule WHERE series = ?1 "
                            "ORDER BY position");
        rules.bind(1, ids[at]);
        while (rules.step()) {
            contest::SeriesRule rule{rules.text(0), schemeOf(rules.text(1))};
            if (std::vector<std::string> points = wordsOf(rules.text(2)); !points.empty())
                rule.placePoints = std::move(points);
            rule.sharedPlaces = rules.text(3) == "higher" ? SharedPlaces::HigherPoints : SharedPlaces::MeanOfPoints;
            series.rules.push_back(std::move(rule));
        }
        Statement names(db, "SELECT first, second, joined FROM series_name WHERE series = ?1 ORDER BY rowid");
        names.bind(1, ids[at]);
        while (names.step())
            series.names.push_back({names.text(0), names.text(1), names.integer(2) != 0});
    }
    return all;
}

} // namespace

template <class Connection>
std::vector<contest::SeriesSettings> readSeries(const Connection &db)
{
    std::vector<contest::SeriesSettings> all;
    for (auto &[series, changedAt] : readWithTimes(db))
        all.push_back(std::move(series));
    return all;
}

template std::vector<contest::SeriesSettings> readSeries(const Database &);
template std::vector<contest::SeriesSettings> readSeries(const ReadOnlyDatabase &);

void writeSeries(const Database &db, const contest::SeriesSettings &series, const std::string &changedAt)
{
    const std::string name = contest::tidyName(series.name);
    std::optional<std::int64_t> id = seriesNamed(db, name);
    if (id) {
        Statement(db, "DELETE FROM series_rule WHERE series = ?1").bind(1, *id).run();
        Statement(db, "DELETE FROM series_name WHERE series = ?1").bind(1, *id).run();
    } else {
        Statement(db, "INSERT INTO series (name, compared_name) VALUES (?1, ?2)")
            .bind(1, name)
            .bind(2, contest::comparedName(name))
            .run();
        id = db.lastInsertedRow();
    }
    Statement(db, "UPDATE series SET name = ?2, contests = ?3, counted = ?4, best = ?5, worst = ?6, drop_from = ?7, "
                  "changed_at = ?8 WHERE id = ?1")
        .bind(1, *id)
        .bind(2, name)
        .bind(3, joined(series.contests, "\n"))
        .bind(4, countedWord(series.counted))
        .bind(5, std::int64_t(series.best))
        .bind(6, std::int64_t(series.worst))
        .bind(7, std::int64_t(series.dropFrom))
        .bind(8, changedAt)
        .run();
    std::int64_t position = 0;
    for (const contest::SeriesRule &rule : series.rules)
        Statement(db, "INSERT OR REPLACE INTO series_rule (series, position, caption, scheme, place_points, "
                      "shared_places) VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
            .bind(1, *id)
            .bind(2, position++)
            .bind(3, contest::tidyName(rule.caption))
            .bind(4, schemeWord(rule.scheme))
            .bind(5, joined(rule.placePoints, " "))
            .bind(6, rule.sharedPlaces == SharedPlaces::HigherPoints ? "higher" : "mean")
            .run();
    for (const contest::NameChoice &choice : series.names)
        Statement(db, "INSERT OR REPLACE INTO series_name (series, first, second, joined) VALUES (?1, ?2, ?3, ?4)")
            .bind(1, *id)
            .bind(2, contest::tidyName(choice.first))
            .bind(3, contest::tidyName(choice.second))
            .bind(4, std::int64_t(choice.joined))
            .run();
}

std::vector<std::string> mergeSeries(const Database &here, const Database &other)
{
    std::vector<std::string> notes;
    for (const auto &[series, changedAt] : readWithTimes(other)) {
        const std::optional<std::int64_t> id = seriesNamed(here, series.name);
        if (id && !contest::recordedAfterClosing(changedAt, changedAtOf(here, *id)))
            continue;
        writeSeries(here, series, changedAt);
        notes.push_back("The series \"" + series.name + "\" was taken from the other table, "
                               + (id ? "changed there later." : "which alone had it."));
    }
    return notes;
}

} // namespace orlo::journal
