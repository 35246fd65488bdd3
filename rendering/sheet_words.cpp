#include "sheet_words.h"

#include "results_model.h"

#include "contest_words.h"
#include "contestant_names.h"

#include <QStringList>

namespace orlo {

QString sheetText(const std::string &value)
{
    std::string kept;
    std::size_t characters = 0;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte == 0x7f) && c != '\t' && c != '\n' && c != '\r')
            continue;
        if ((byte & 0xc0) != 0x80 && ++characters > contest::longestName)
            return QString::fromStdString(kept) + QStringLiteral("…");
        kept += c;
    }
    return QString::fromStdString(kept);
}

QString shownToTheMinute(const std::string &localTime)
{
    return QString::fromStdString(contest::shownMoment(localTime));
}

QString sheetTitle(const contest::Results &results)
{
    return results.contest.name.empty() ? QStringLiteral("Contest results") : sheetText(results.contest.name);
}

QString contestDays(const contest::ContestSettings &contest)
{
    if (contest.firstDay.empty() || contest.lastDay.empty() || contest.firstDay == contest.lastDay)
        return sheetText(contest.firstDay.empty() ? contest.lastDay : contest.firstDay);
    return sheetText(contest.firstDay) + QStringLiteral(" to ") + sheetText(contest.lastDay);
}

QString stateLine(const contest::ClassStandings &standings, const std::string &asOf)
{
    const contest::ClassRule &rule = standings.rule;
    if (!rule.final) {
        const QString provisional = QString::fromStdString(contest::provisionalAsOf(shownToTheMinute(asOf).toStdString()));
        // Where its rounds stand, where the sheet lists who is still to fly.
        return standings.rounds.empty() ? provisional
                                        : provisional + QStringLiteral(". ") + sheetText(standings.rounds);
    }
    QString state = QString::fromStdString(
        contest::finalState(rule.finalAt.empty() ? std::string() : shownToTheMinute(rule.finalAt).toStdString()));
    if (standings.waiting > 0)
        state += QStringLiteral(". %1.").arg(sheetText(contest::waitingAfterFinal(
            standings.waiting, shownToTheMinute(standings.firstWaitingAt).toStdString())));
    return state;
}

QString unreadNote(const contest::Results &results)
{
    if (results.unreadAt.empty())
        return {};
    return QStringLiteral("The journal could not be read at %1: these standings are as read at %2 and may lack "
                          "later flights and corrections.")
        .arg(shownToTheMinute(results.unreadAt), shownToTheMinute(results.asOf));
}

QString noFlightsNote(int voidFlights)
{
    return sheetText(contest::noFlightCounts(voidFlights));
}

QString nobodyInClassNote()
{
    return QStringLiteral("Nobody has entered or flown in this class yet.");
}

QString beyondAllowedNote()
{
    return QStringLiteral("Scores in brackets were flown after the official flights allowed and do not count.");
}

QString combinationSentence(const contest::CombinedStandings &combined)
{
    QStringList captions;
    for (const std::string &caption : combined.combination.classes)
        captions << QString::fromStdString(caption);
    return QStringLiteral("The sum of the counted scores of %1.").arg(captions.join(QStringLiteral(", ")));
}

QString combinationStateLine(const contest::CombinedStandings &combined, const contest::Results &results)
{
    const std::optional<std::string> closedAt = contest::combinationClosedAt(combined, results);
    if (!closedAt)
        return QString::fromStdString(contest::provisionalAsOf(shownToTheMinute(results.asOf).toStdString()));
    return QString::fromStdString(
        contest::finalState(closedAt->empty() ? std::string() : shownToTheMinute(*closedAt).toStdString()));
}

QString combinationWaiting(const contest::CombinedStandings &combined)
{
    QStringList said;
    for (const contest::WaitingFlights &part : combined.waiting)
        said << QStringLiteral("%1.").arg(sheetText(contest::waitingInClass(
            part.caption, part.flights, shownToTheMinute(part.firstAt).toStdString())));
    return said.join(QLatin1Char(' '));
}

QString unnamedFlightsNote(int flights)
{
    if (flights <= 0)
        return {};
    return QStringLiteral("%1 %2 no contestant named and %3 counted nowhere; the flights window names the contestant.")
        .arg(flights)
        .arg(flights == 1 ? QStringLiteral("flight has") : QStringLiteral("flights have"))
        .arg(flights == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}

QString seriesTitle(const contest::SeriesStandings &standings)
{
    return standings.series.name.empty() ? QStringLiteral("Series results") : sheetText(standings.series.name);
}

QString seriesContestsLine(const contest::SeriesStandings &standings)
{
    QStringList contests;
    for (const std::string &name : standings.contests)
        contests << sheetText(name);
    return contests.isEmpty() ? QStringLiteral("No contest of the series has flights yet.")
                              : QStringLiteral("Contests: %1.").arg(contests.join(QStringLiteral(", ")));
}

QString noSeriesNote()
{
    return QStringLiteral("No contest of the series has placed anybody yet.");
}

QString cellText(const contest::ResultCell &cell)
{
    const QString shown = sheetText(cell.text);
    return cell.mark == contest::Mark::BeyondAllowed ? QStringLiteral("(%1)").arg(shown) : shown;
}

bool standsOut(const contest::ResultCell &cell)
{
    return cell.mark == contest::Mark::Counted || cell.mark == contest::Mark::Score;
}

} // namespace orlo
