#pragma once

#include "results_document.h"
#include "results_model.h"
#include "series_standings.h"

#include <QString>

#include <string>

namespace orlo {

// The sentences of the results sheet as plain text, the same on paper and on
// the web page, which escapes them for its markup.

// A text of the journal as the sheet shows it: control characters left out,
// as the CSV leaves them out, and one longer than any name the entry list
// takes cut with an ellipsis, so that whatever a journal holds is drawn on a
// few lines and in a moment.
QString sheetText(const std::string &value);

// The contest's name, or "Contest results" when it has none.
QString sheetTitle(const contest::Results &results);
// "2026-07-14 to 2026-07-16", one day alone, or empty.
QString contestDays(const contest::ContestSettings &contest);
// "Provisional, as of 2026-07-15 16:42 +02:00" or "Final, …", with the
// flights that wait after the class was closed.
QString stateLine(const contest::ClassStandings &standings, const std::string &asOf);
// Said when a later read of the journal failed; empty when none did.
QString unreadNote(const contest::Results &results);
// No flight counts: none recorded, or every one of them void.
QString noFlightsNote(int voidFlights);
QString nobodyInClassNote();
QString beyondAllowedNote();
// "The sum of the counted scores of Profile, Class I."
QString combinationSentence(const contest::CombinedStandings &combined);
// "Provisional, as of …" until every class of the combination is final.
QString combinationStateLine(const contest::CombinedStandings &combined, const contest::Results &results);
// "Class I: 1 flight recorded after Final, …." for each class of the
// combination closed with flights waiting; empty when none waits.
QString combinationWaiting(const contest::CombinedStandings &combined);
// "3 flights have no contestant named …"; empty when every flight has one.
QString unnamedFlightsNote(int flights);
// The series' name, or "Series results" when it has none.
QString seriesTitle(const contest::SeriesStandings &standings);
// "Contests: Spring Open, Summer Cup, Autumn Trophy", in the season's order.
QString seriesContestsLine(const contest::SeriesStandings &standings);
// No contest counted by the series has placed anybody yet.
QString noSeriesNote();
// A cell's text, a flight beyond those allowed in brackets.
QString cellText(const contest::ResultCell &cell);
// The counted flights and the score stand out in bold.
bool standsOut(const contest::ResultCell &cell);

} // namespace orlo
