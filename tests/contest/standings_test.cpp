#include "contest_lists.h"
#include "results_model.h"
#include "standings.h"

#include <QStringList>
#include <QTest>

using namespace orlo;
using namespace orlo::contest;

// The ranking rules on small contests written out in the table: entries as
// "name|class,class", flights as "name|class|score|status|recorded at" in
// the order flown, and the standings drawn as text, one class after another.
class StandingsTest : public QObject {
    Q_OBJECT

private slots:
    void ranking_data();
    void ranking();
};

namespace {

std::vector<std::string> split(const QString &text, QChar by)
{
    std::vector<std::string> parts;
    for (const QString &part : text.split(by, Qt::SkipEmptyParts))
        parts.push_back(part.toStdString());
    return parts;
}

std::vector<contest::Entry> entriesOf(const QStringList &lines)
{
    std::vector<contest::Entry> entries;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'|');
        entries.push_back({static_cast<std::int64_t>(entries.size()) + 1, parts[0].toStdString(),
                           "N" + std::to_string(entries.size() + 1), split(parts.value(1), u','), 0,
                           parts.value(2) == QLatin1String("withdrawn")});
    }
    return entries;
}

// A flight by a name not on the list names no contestant.
std::vector<contest::ScoredFlight> flightsOf(const QStringList &lines, const std::vector<contest::Entry> &entries)
{
    std::vector<contest::ScoredFlight> flights;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'|');
        contest::ScoredFlight flight;
        flight.id = static_cast<std::int64_t>(flights.size()) + 1;
        flight.contestant = parts[0].toStdString();
        for (const contest::Entry &entry : entries)
            if (entry.name == flight.contestant)
                flight.entry = entry.id;
        flight.classCaption = parts[1].toStdString();
        flight.score = parts[2].toStdString();
        flight.highSpeedPoints = flight.score;
        flight.status = statusNamed(parts.value(3, QStringLiteral("official")).toStdString()).value();
        flight.recordedAt = parts.value(4).toStdString();
        flights.push_back(flight);
    }
    // The journal lists the newest first.
    std::reverse(flights.begin(), flights.end());
    return flights;
}

// "1 Ann 312.5 [300.0 312.5*] hs312.5": place ("_" still to fly), name,
// counted score, official flights (* counted, ! beyond those allowed),
// attempts ("a2") and the counted flights' high-speed points, which the
// flights here score alone, so they add up to the score.
QString drawn(const Results &results)
{
    QStringList classes;
    for (const ClassStandings &standings : results.classes) {
        QStringList rows;
        for (const Standing &row : standings.rows) {
            QStringList parts{QString::fromStdString(row.stillToFly ? "_" : row.place),
                              QString::fromStdString(row.contestant)};
            if (!row.score.empty())
                parts << QString::fromStdString(row.score);
            QStringList flights;
            for (const FlightScore &flight : row.flights)
                flights << QString::fromStdString(flight.score) + (flight.counted ? "*" : "") +
                               (flight.beyondAllowed ? "!" : "");
            if (!flights.isEmpty())
                parts << "[" + flights.join(u' ') + "]";
            if (row.attempts > 0)
                parts << QStringLiteral("a%1").arg(row.attempts);
            if (!row.highSpeedPoints.empty())
                parts << "hs" + QString::fromStdString(row.highSpeedPoints);
            rows << parts.join(u' ');
        }
        classes << QString::fromStdString(standings.rule.caption) + ": " + rows.join(QStringLiteral("; "));
        if (standings.waiting > 0)
            classes.back() += QStringLiteral(" (%1 waiting from %2)")
                                  .arg(standings.waiting)
                                  .arg(QString::fromStdString(standings.firstWaitingAt));
    }
    for (const CombinedStandings &combined : results.combined) {
        QStringList rows;
        for (const CombinedStanding &row : combined.rows) {
            QString line = QString::fromStdString((row.place.empty() ? "_" : row.place) + " " + row.contestant +
                                                  " " + row.total);
            for (const std::string &lacking : row.missing)
                line += " -" + QString::fromStdString(lacking);
            rows << line;
        }
        classes << QString::fromStdString(combined.combination.name) + ": " + rows.join(QStringLiteral("; "));
        // The state a file gives each of its lines, said once here.
        const ResultTable table = combinedResults(combined, results);
        for (std::size_t column = 0; column < table.columns.size() && !table.rows.empty(); ++column)
            if (table.columns[column].fileHeading == "Standing" && !table.rows.front().cells[column].text.empty())
                classes.back() += " (" + QString::fromStdString(table.rows.front().cells[column].text) + ")";
    }
    if (results.flightsWithoutContestant > 0)
        classes << QStringLiteral("unnamed %1").arg(results.flightsWithoutContestant);
    return classes.join(QStringLiteral(" / "));
}

} // namespace

void StandingsTest::ranking_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("flights");
    QTest::addColumn<int>("sumOfBest");  // 0: the best flight counts
    QTest::addColumn<int>("allowed");    // official flights allowed
    QTest::addColumn<bool>("nextBest");  // ties broken by the next-best flight
    QTest::addColumn<QStringList>("combination");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("closedAt"); // Class I final since then; empty: provisional

    const QStringList annBobCy{"Ann|Class I", "Bob|Class I", "Cy|Class I", "Dee|Class I"};
    QTest::newRow("best-of-N")
        << annBobCy << QStringList{"Ann|Class I|300.0", "Bob|Class I|305.0", "Ann|Class I|312.5"} << 0 << 2
        << false << QStringList()
        << "Class I: 1 Ann 312.5 [300.0 312.5*] hs312.5; 2 Bob 305.0 [305.0*] hs305.0; _ Cy; _ Dee" << QString();
    // Withdrawn: one who flew keeps the place, one who did not is no longer still to fly.
    QTest::newRow("withdrawn")
        << QStringList{"Ann|Class I|withdrawn", "Bob|Class I", "Cy|Class I|withdrawn"}
        << QStringList{"Ann|Class I|300.0"} << 0 << 2 << false << QStringList()
        << "Class I: 1 Ann 300.0 [300.0*] hs300.0; _ Bob" << QString();
    QTest::newRow("sum-of-best-K")
        << QStringList{"Ann|Class I", "Bob|Class I"}
        << QStringList{"Ann|Class I|100.5", "Bob|Class I|180.0", "Ann|Class I|200.0", "Bob|Class I|180.0",
                       "Ann|Class I|150.0"}
        << 2 << 3 << false << QStringList()
        << "Class I: 1 Bob 360.0 [180.0* 180.0*] hs360.0; 2 Ann 350.0 [100.5 200.0* 150.0*] hs350.0" << QString();
    QTest::newRow("sum-exact-decimals")
        << QStringList{"Ann|Class I", "Bob|Class I"}
        << QStringList{"Ann|Class I|0.1", "Ann|Class I|0.2", "Bob|Class I|0.3"} << 2 << 2 << false
        << QStringList() << "Class I: 1 Ann 0.3 [0.1* 0.2*] hs0.3; 1 Bob 0.3 [0.3*] hs0.3" << QString();
    QTest::newRow("ties-shared")
        << annBobCy
        << QStringList{"Bob|Class I|300.0", "Ann|Class I|300.0", "Cy|Class I|290.0", "Dee|Class I|310.0"} << 0
        << 2 << false << QStringList()
        << "Class I: 1 Dee 310.0 [310.0*] hs310.0; 2 Ann 300.0 [300.0*] hs300.0; 2 Bob 300.0 [300.0*] hs300.0; "
           "4 Cy 290.0 [290.0*] hs290.0" << QString();
    QTest::newRow("ties-broken-by-next-best")
        << annBobCy
        << QStringList{"Ann|Class I|300.0", "Bob|Class I|300.0", "Cy|Class I|200.0", "Ann|Class I|200.0",
                       "Bob|Class I|250.0", "Cy|Class I|300.0", "Dee|Class I|300.0"}
        << 0 << 2 << true << QStringList()
        << "Class I: 1 Bob 300.0 [300.0* 250.0] hs300.0; 2 Ann 300.0 [300.0* 200.0] hs300.0; "
           "2 Cy 300.0 [200.0 300.0*] hs300.0; 4 Dee 300.0 [300.0*] hs300.0" << QString();
    QTest::newRow("attempts-only")
        << annBobCy
        << QStringList{"Bob|Class I|0|attempt", "Ann|Class I|280.0|attempt", "Ann|Class I|300.0",
                       "Bob|Class I|0|attempt"}
        << 0 << 2 << false << QStringList() << "Class I: 1 Ann 300.0 [300.0*] a1 hs300.0; att Bob a2; _ Cy; _ Dee" << QString();
    QTest::newRow("void-ignored")
        << QStringList{"Ann|Class I", "Bob|Class II"}
        << QStringList{"Ann|Class I|400.0|void", "Ann|Class I|300.0", "Bob|Class I|500.0|void",
                       "Ann|Class I|350.0|void"}
        << 0 << 1 << false << QStringList() << "Class I: 1 Ann 300.0 [300.0*] hs300.0 / Class II: _ Bob" << QString();
    QTest::newRow("two-classes")
        << QStringList{"Ann|Class I,Class II", "Bob|Class II"}
        << QStringList{"Ann|Class II|250.0", "Bob|Class II|260.0", "Ann|Class I|300.0"} << 0 << 2 << false
        << QStringList()
        << "Class I: 1 Ann 300.0 [300.0*] hs300.0 / Class II: 1 Bob 260.0 [260.0*] hs260.0; 2 Ann 250.0 "
           "[250.0*] hs250.0" << QString();
    QTest::newRow("combined")
        << QStringList{"Ann|Class I,Class II", "Bob|Class II", "Cy|Class I,Class II", "Dee|Class I,Class II"}
        << QStringList{"Ann|Class I|300.0", "Ann|Class II|250.0", "Bob|Class II|260.0", "Cy|Class I|100.25",
                       "Cy|Class II|200.0", "Dee|Class I|0|attempt", "Dee|Class II|240.0"}
        << 0 << 2 << false << QStringList{"Class I", "Class II"}
        << "Class I: 1 Ann 300.0 [300.0*] hs300.0; 2 Cy 100.25 [100.25*] hs100.25; att Dee a1 / "
           "Class II: 1 Bob 260.0 [260.0*] hs260.0; 2 Ann 250.0 [250.0*] hs250.0; 3 Dee 240.0 [240.0*] hs240.0; "
           "4 Cy 200.0 [200.0*] hs200.0 / "
           "Class I + Class II: 1 Ann 550.0; 2 Cy 300.25; _ Bob 260.0 -Class I; _ Dee 240.0 -Class I "
           "(provisional, as of )" << QString();
    QTest::newRow("combined-typed-in-lower-case-and-twice")
        << QStringList{"Ann|Class I,Class II", "Bob|Class II"}
        << QStringList{"Ann|Class I|300.0", "Ann|Class II|250.0", "Bob|Class II|260.0"} << 0 << 2 << false
        << QStringList{"class  i", "Class II", "CLASS I"}
        << "Class I: 1 Ann 300.0 [300.0*] hs300.0 / Class II: 1 Bob 260.0 [260.0*] hs260.0; 2 Ann 250.0 [250.0*] "
           "hs250.0 / Class I + Class II: 1 Ann 550.0; _ Bob 260.0 -Class I (provisional, as of )"
        << QString();
    QTest::newRow("still-to-fly")
        << QStringList{"Zed|Class I", "Ann|Class I", "Bob|Class II"} << QStringList{"Zed|Class I|10.0"} << 0 << 2
        << false << QStringList() << "Class I: 1 Zed 10.0 [10.0*] hs10.0; _ Ann / Class II: _ Bob" << QString();
    QTest::newRow("beyond-allowed")
        << QStringList{"Ann|Class I"}
        << QStringList{"Ann|Class I|100.0", "Ann|Class I|0|attempt", "Ann|Class I|200.0", "Ann|Class I|400.0"}
        << 0 << 2 << false << QStringList() << "Class I: 1 Ann 200.0 [100.0 200.0* 400.0!] a1 hs200.0" << QString();
    QTest::newRow("without-contestant")
        << QStringList{"Ann|Class I"} << QStringList{"|Class I|300.0", "Ann|Class I|200.0", "|Profile|1.0|void"}
        << 0 << 2 << false << QStringList() << "Class I: 1 Ann 200.0 [200.0*] hs200.0 / unnamed 1" << QString();
    QTest::newRow("final-ranks-flights-up-to-closing")
        << QStringList{"Ann|Class I", "Bob|Class I"}
        << QStringList{"Ann|Class I|300.0|official|2026-07-15T14:00:00+0200",
                       "Bob|Class I|305.0|official|2026-07-15T14:20:00+0200",
                       "Ann|Class I|400.0|official|2026-07-15T14:40:00+0200",
                       "Bob|Class I|0|attempt|2026-07-15T14:32:00+0200", "Bob|Class II|200.0|official|2026-07-15T15:00:00+0200"}
        << 0 << 2 << false << QStringList()
        << "Class I: 1 Bob 305.0 [305.0*] hs305.0; 2 Ann 300.0 [300.0*] hs300.0 (2 waiting from 2026-07-15T14:32:00+0200) / "
           "Class II: 1 Bob 200.0 [200.0*] hs200.0"
        << "2026-07-15T14:20:00+0200";
    // A combination drawing on the final class tells its flights waiting, as the class does.
    QTest::newRow("final-class-flights-waiting-told-by-the-combination")
        << QStringList{"Ann|Class I,Class II", "Bob|Class I,Class II"}
        << QStringList{"Ann|Class I|300.0|official|2026-07-15T14:00:00+0200",
                       "Ann|Class II|200.0|official|2026-07-15T14:10:00+0200",
                       "Ann|Class I|400.0|official|2026-07-15T14:40:00+0200"}
        << 0 << 2 << false << QStringList{"Class I", "Class II"}
        << "Class I: 1 Ann 300.0 [300.0*] hs300.0; _ Bob (1 waiting from 2026-07-15T14:40:00+0200) / "
           "Class II: 1 Ann 200.0 [200.0*] hs200.0; _ Bob / "
           "Class I + Class II: 1 Ann 500.0 (provisional, as of ; Class I: 1 flight recorded after Final, at "
           "2026-07-15 14:40 +02:00: reopen the class to count it)"
        << "2026-07-15T14:20:00+0200";
    // Summer time ended between the closing and the flight: 02:10 +01:00 is
    // forty minutes after 02:30 +02:00.
    QTest::newRow("final-compared-as-moments")
        << QStringList{"Ann|Class I"}
        << QStringList{"Ann|Class I|300.0|official|2026-10-25T02:20:00+0200",
                       "Ann|Class I|400.0|official|2026-10-25T02:10:00+0100"}
        << 0 << 2 << false << QStringList()
        << "Class I: 1 Ann 300.0 [300.0*] hs300.0 (1 waiting from 2026-10-25T02:10:00+0100)"
        << "2026-10-25T02:30:00+02:00";
}

void StandingsTest::ranking()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, flights);
    QFETCH(int, sumOfBest);
    QFETCH(int, allowed);
    QFETCH(bool, nextBest);
    QFETCH(QStringList, combination);
    QFETCH(QString, expected);
    QFETCH(QString, closedAt);

    contest::ContestSettings contest;
    for (const char *caption : {"Class I", "Class II"}) {
        contest::ClassRule rule;
        rule.caption = caption;
        rule.counting = sumOfBest > 0 ? contest::Counting::SumOfBest : contest::Counting::BestFlight;
        rule.counted = std::max(sumOfBest, 1);
        rule.officialFlights = allowed;
        rule.ties = nextBest ? contest::TieRule::NextBest : contest::TieRule::Shared;
        rule.final = rule.caption == "Class I" && !closedAt.isEmpty();
        rule.finalAt = rule.final ? closedAt.toStdString() : std::string();
        contest.classes.push_back(rule);
    }
    // As the director types it in the Contest dialog.
    contest.combinations = combinationsIn(combination.join(QStringLiteral(", ")).toStdString());
    const std::vector<contest::Entry> listed = entriesOf(entries);
    const Results results = rank(contest, listed, flightsOf(flights, listed));
    const QString actual = drawn(results);
    QVERIFY2(actual == expected, qPrintable("got\n" + actual + "\nexpected\n" + expected));
}

QTEST_GUILESS_MAIN(StandingsTest)
#include "standings_test.moc"
