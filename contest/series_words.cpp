#include "series_words.h"

#include "decimal.h"

namespace orlo::contest {

namespace {

std::string contestsCount(int count)
{
    return count == 1 ? "1 contest" : std::to_string(count) + " contests";
}

} // namespace

std::string placePointsText(const std::vector<std::string> &points)
{
    std::string said;
    for (const std::string &part : points)
        said += (said.empty() ? "" : ", ") + part;
    return said;
}

bool readPlacePoints(const std::string &typed, std::vector<std::string> &points)
{
    std::vector<std::string> read;
    std::string part;
    auto take = [&] {
        if (part.empty())
            return true;
        const std::optional<Decimal> value = Decimal::read(part);
        if (!value || value->millionths() < 0)
            return false;
        read.push_back(value->text());
        part.clear();
        return true;
    };
    for (const char c : typed) {
        if (c == ',' || c == ';' || c == ' ' || c == '\t') {
            if (!take())
                return false;
        } else {
            part += c;
        }
    }
    if (!take() || read.empty())
        return false;
    points = std::move(read);
    return true;
}

std::string seriesPointsSentence(const SeriesRule &rule)
{
    const std::string attempts =
        " A contestant with attempts only in a contest has no place in it and is scored as one who did not fly it.";
    switch (rule.scheme) {
    case SeriesScheme::PerCentOfWinner:
        return "Each contest earns the contestant's score divided by the winner's score, times 1000, to one decimal "
               "rounded half up; one who did not fly a contest earns nothing from it."
            + attempts;
    case SeriesScheme::LowPoint:
        return "Each contest earns as many points as the place (tied contestants the place they share); one who did "
               "not fly a contest earns the number of contestants placed in it plus one; the lowest total wins."
            + attempts;
    case SeriesScheme::PlacePoints:
        break;
    }
    const std::size_t places = rule.placePoints.size();
    std::string said = "Each contest's place earns points: " + placePointsText(rule.placePoints) + " for the first "
        + (places == 1 ? std::string("place") : std::to_string(places) + " places") + ", none below; ";
    said += rule.sharedPlaces == SharedPlaces::MeanOfPoints
        ? "contestants tied on a place share the mean of the points of the places they hold, to two decimals"
        : "contestants tied on a place each earn the points of the higher place";
    return said + "; one who did not fly a contest earns nothing from it." + attempts;
}

std::string countedContestsSentence(const SeriesSettings &series, SeriesScheme scheme)
{
    const std::string worse = scheme == SeriesScheme::LowPoint ? " (the highest points)" : " (the fewest points)";
    switch (series.counted) {
    case CountedContests::Best:
        if (series.best > 0)
            return "A contestant's best " + contestsCount(series.best)
                + " count; the others are dropped" + worse + " and shown in brackets.";
        break;
    case CountedContests::AllButWorst:
        if (series.worst > 0)
            return "Once at least " + contestsCount(std::max(series.dropFrom, 1)) + " are flown, a contestant's worst "
                + contestsCount(series.worst) + worse
                + (series.worst == 1 ? " is" : " are") + " dropped and shown in brackets; the others count.";
        break;
    case CountedContests::All:
        break;
    }
    return "Every contest counts.";
}

std::string seriesTieSentence(SeriesScheme scheme)
{
    return std::string("A tie is broken by the better best contest counted, then the next best and so on")
        + (scheme == SeriesScheme::LowPoint ? " (fewer points being better)" : "")
        + ", and only a tie left after all of them is shared.";
}

std::string sameContestantSentence()
{
    return "A contestant is the same from contest to contest by the number, else by the name whatever its case, "
           "blanks and accents; near names are joined or kept apart as the director chose.";
}

std::string seriesStateSentence(const std::vector<std::string> &stillRunning)
{
    if (stillRunning.empty())
        return {};
    std::string names;
    for (std::size_t i = 0; i < stillRunning.size(); ++i)
        names += (i == 0 ? "" : i + 1 == stillRunning.size() ? " and " : ", ") + stillRunning[i];
    return "Provisional: " + names + (stillRunning.size() == 1 ? " is" : " are")
        + " still running, and the series may change.";
}

std::string schemeChoice(SeriesScheme scheme)
{
    switch (scheme) {
    case SeriesScheme::PerCentOfWinner:
        return "Per cent of the winner (score ÷ winner's × 1000)";
    case SeriesScheme::LowPoint:
        return "Low point (points = place, lowest wins)";
    case SeriesScheme::PlacePoints:
        break;
    }
    return "Place points (from the table)";
}

std::string sharedPlacesChoice(SharedPlaces shared)
{
    return shared == SharedPlaces::MeanOfPoints ? "Tied places share the mean of their points"
                                                : "Tied places each get the higher points";
}

std::string countedChoice(CountedContests counted)
{
    switch (counted) {
    case CountedContests::Best:
        return "The best N";
    case CountedContests::AllButWorst:
        return "All but the worst N, once M are flown";
    case CountedContests::All:
        break;
    }
    return "Every contest";
}

std::string nearNameLine(const NearName &near)
{
    return near.first + " / " + near.second + ": "
        + (near.kind == NearKind::Accents ? "the same but for accents" : "the same but for an initial") + "; "
        + (near.joined ? "joined" : "kept apart") + (near.chosen ? " by the director" : "");
}

} // namespace orlo::contest
