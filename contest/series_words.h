#pragma once

#include "series_settings.h"
#include "series_standings.h"

#include <string>
#include <vector>

namespace orlo::contest {

// The series' rules as the director and the contestants read them on every
// results sheet, one sentence each.

// How a contest's result becomes points under the class's rule, with what
// attempts alone earn.
std::string seriesPointsSentence(const SeriesRule &rule);
// Which contests count: every one, the best N, or all but the worst N once M are flown.
std::string countedContestsSentence(const SeriesSettings &series, SeriesScheme scheme);
// How a tie in the series is broken.
std::string seriesTieSentence(SeriesScheme scheme);
// How a contestant is found to be the same one from contest to contest.
std::string sameContestantSentence();
// "Provisional: Spring Open is still running." or empty when every contest is final.
std::string seriesStateSentence(const std::vector<std::string> &stillRunning);
// "10, 8, 6, 5, 4, 3, 2, 1": the points table as the director types it.
std::string placePointsText(const std::vector<std::string> &points);
// The table read back from what the director typed, commas or blanks
// between; none when a part is no number or is negative.
bool readPlacePoints(const std::string &typed, std::vector<std::string> &points);

// The choices as the series dialog lists them.
std::string schemeChoice(SeriesScheme scheme);
std::string sharedPlacesChoice(SharedPlaces shared);
std::string countedChoice(CountedContests counted);
// "José Núñez / Jose Nunez: the same but for accents": a near name as listed.
std::string nearNameLine(const NearName &near);

} // namespace orlo::contest
