#include "flight_remarks.h"

#include "final_class.h"
#include "journal_reader.h"

#include <cstdio>
#include <vector>

namespace orlo {

// What the official is to know of a flight of the entry in the class, read
// afresh from the journal: its class is final, the contestant is not entered
// in it or has flown all its official flights. flying is the flight being
// scored, 0 before. A journal that cannot be read is said on the standard
// error; the sheet, which told of it already, says nothing more.
QString remarkOn(const std::string &journalPath, std::int64_t entry, const std::string &caption, std::int64_t flying)
{
    try {
        const journal::JournalReader reader(journalPath);
        std::vector<contest::ScoredFlight> flown;
        if (entry != 0) {
            journal::FlightFilter filter;
            filter.classCaption = caption;
            filter.entry = entry;
            for (const journal::FlightRow &row : reader.flights(filter)) {
                contest::ScoredFlight &flight = flown.emplace_back();
                flight.id = row.id;
                flight.entry = row.entry;
                flight.status = row.status;
                flight.classCaption = row.last.values.classCaption;
            }
        }
        return QString::fromStdString(
            contest::flightRemark(reader.contest(), reader.entries(), flown, entry, caption, flying));
    } catch (const std::exception &problem) {
        std::fprintf(stderr, "Orlo_Score: %s\n", problem.what());
        return {};
    }
}

// Said once of the current contest when a flight is recorded on a day
// outside its days: the flight belongs to it all the same, which is right
// for a contest run on longer than planned, and wrong for the next contest
// of the season, which the director starts with Ctrl+Shift+N, or for a
// flight that belongs to a contest of the season already, where the flights
// window moves it.
QString outsideTheDays(const contest::ContestSettings &contest, const std::string &day)
{
    if ((contest.firstDay.empty() || day >= contest.firstDay) && (contest.lastDay.empty() || day <= contest.lastDay))
        return {};
    const QString name = contest.name.empty() ? QStringLiteral("the current contest") : QString::fromStdString(contest.name);
    const QString days = contest.firstDay == contest.lastDay || contest.lastDay.empty()
        ? QString::fromStdString(contest.firstDay.empty() ? contest.lastDay : contest.firstDay)
        : QStringLiteral("%1 to %2").arg(QString::fromStdString(contest.firstDay), QString::fromStdString(contest.lastDay));
    return QStringLiteral("This flight, on %1, is recorded into %2, whose days are %3. If it belongs to another "
                          "contest, start that contest with New contest… (Ctrl+Shift+N) before the next flight, or move "
                          "the flight to it with Correct flight… in the flights window (Ctrl+J).")
        .arg(QString::fromStdString(day), name, days);
}

} // namespace orlo
