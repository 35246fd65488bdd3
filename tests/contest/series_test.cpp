#include "series_results.h"
#include "series_standings.h"
#include "series_words.h"
#include "standings.h"

#include <QStringList>
#include <QTest>

using namespace orlo;
using namespace orlo::contest;

// The series rules on hand-worked seasons written out in the table. Each
// contest is "name|final or running|contestant=score, …" in Class I, a
// contestant written "name#number" when numbered, "=att" for attempts only,
// "=score/score" for Class I and Class II, combined as "I + II";
// the contests are ranked by the contest's own ranking and the series drawn
// as text: "1 Ann 10 (8) - = 10", a dropped contest's points in brackets,
// "-" for a contest not flown.
class SeriesTest : public QObject {
    Q_OBJECT

private slots:
    void series_data();
    void series();
    void sentences_data();
    void sentences();
    void placePoints_data();
    void placePoints();
};

namespace {

const std::string classI = "Class I";
const std::string classII = "Class II";
const std::string both = "I + II";

SeriesContest contestOf(const QString &written)
{
    const QStringList parts = written.split(u'|');
    SeriesContest contest;
    contest.name = contest.id = parts[0].toStdString();
    ClassRule rule;
    rule.caption = classI;
    rule.final = parts[1] == u"final";
    rule.finalAt = rule.final ? "2026-06-01T18:00:00+0200" : "";
    ClassRule ruleII = rule;
    ruleII.caption = classII;
    ContestSettings settings{contest.name, {}, {}, {rule, ruleII}, {}};
    if (parts[2].contains(u'/'))
        settings.combinations.push_back({both, {classI, classII}});
    std::vector<Entry> entries;
    std::vector<ScoredFlight> flights;
    for (const QString &flown : parts[2].split(u',', Qt::SkipEmptyParts)) {
        const QString who = flown.section(u'=', 0, 0).trimmed();
        const QStringList scores = flown.section(u'=', 1).trimmed().split(u'/');
        Entry entry{std::int64_t(entries.size()) + 1, who.section(u'#', 0, 0).toStdString(),
                    who.section(u'#', 1).toStdString(), {}, 0};
        for (qsizetype at = 0; at < scores.size(); ++at) {
            const QString &score = scores[at];
            if (score.isEmpty())
                continue;
            ScoredFlight flight;
            flight.id = std::int64_t(flights.size()) + 1;
            flight.entry = entry.id;
            flight.contestant = entry.name;
            flight.number = entry.number;
            flight.classCaption = at == 0 ? classI : classII;
            flight.status = score == u"att" ? FlightStatus::Attempt : FlightStatus::Official;
            flight.score = score == u"att" ? "0" : score.toStdString();
            entry.classes.push_back(flight.classCaption);
            flights.push_back(flight);
        }
        entries.push_back(entry);
    }
    contest.results = rank(settings, entries, flights, {}, "2026-06-01T18:30:00+0200");
    return contest;
}

// "place; higher; best 2; worst 1 from 3; points 3,2,1; join A=B; apart A=B"
SeriesSettings settingsOf(const QString &written)
{
    SeriesSettings series{"Club series", {}, {}, CountedContests::All, 0, 0, 0, {}};
    SeriesRule rule{classI};
    for (const QString &part : written.split(u';', Qt::SkipEmptyParts)) {
        const QStringList words = part.trimmed().split(u' ');
        if (words[0] == u"percent")
            rule.scheme = SeriesScheme::PerCentOfWinner;
        else if (words[0] == u"low")
            rule.scheme = SeriesScheme::LowPoint;
        else if (words[0] == u"higher")
            rule.sharedPlaces = SharedPlaces::HigherPoints;
        else if (words[0] == u"points")
            readPlacePoints(words[1].toStdString(), rule.placePoints);
        else if (words[0] == u"best")
            series.counted = CountedContests::Best, series.best = words[1].toInt();
        else if (words[0] == u"worst")
            series.counted = CountedContests::AllButWorst, series.worst = words[1].toInt(),
            series.dropFrom = words[3].toInt();
        else if (words[0] == u"join" || words[0] == u"apart")
            series.names.push_back({part.trimmed().section(u' ', 1).section(u'=', 0, 0).toStdString(),
                                    part.section(u'=', 1).toStdString(), words[0] == u"join"});
    }
    for (const std::string &caption : {classI, classII, both}) {
        rule.caption = caption;
        series.rules.push_back(rule);
    }
    return series;
}

QString drawn(const SeriesStandings &standings)
{
    QStringList tables;
    for (const SeriesTable &table : standings.tables) {
        QStringList rows;
        for (const SeriesStanding &row : table.rows) {
            QStringList parts{QString::fromStdString(row.place), QString::fromStdString(row.contestant)};
            for (const SeriesPoints &points : row.contests) {
                const QString shown = points.points.empty() ? QStringLiteral("-") : QString::fromStdString(points.points);
                parts << (points.counted || points.points.empty() ? shown : QStringLiteral("(%1)").arg(shown));
            }
            parts << QStringLiteral("=") << QString::fromStdString(row.total);
            rows << parts.join(u' ');
        }
        QString said = rows.join(QStringLiteral("; "));
        if (!table.stillRunning.empty())
            said.prepend(QStringLiteral("provisional: %1; ").arg(QString::fromStdString(table.stillRunning.front())));
        tables << said;
    }
    for (const NearName &near : standings.nearNames)
        tables << QString::fromStdString(nearNameLine(near));
    return tables.join(QStringLiteral(" | "));
}

} // namespace

void SeriesTest::series_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QStringList>("contests");
    QTest::addColumn<QString>("expected");

    // Bob and Cy tie for 2nd at the first contest; Cy flies attempts only at the second.
    const QStringList twoContests{"Spring|final|Ann=300, Bob=280, Cy=280, Dee=250",
                                  "Summer|final|Bob=310, Ann=300, Dee=290, Cy=att"};
    QTest::newRow("place points, a tied place shares the mean")
        << "place" << twoContests << "1 Ann 10 8 = 18; 2 Bob 7 10 = 17; 3 Dee 5 6 = 11; 4 Cy 7 - = 7";
    QTest::newRow("place points, a tied place each the higher; a tie shared")
        << "place; higher" << twoContests << "1 Ann 10 8 = 18; 1 Bob 8 10 = 18; 3 Dee 5 6 = 11; 4 Cy 8 - = 8";
    QTest::newRow("a mean of three places to two decimals")
        << "place" << QStringList{"Spring|final|Ann=300, Bob=280, Cy=280, Dee=280"}
        << "1 Ann 10.00 = 10.00; 2 Bob 6.33 = 6.33; 2 Cy 6.33 = 6.33; 2 Dee 6.33 = 6.33";
    QTest::newRow("places below the table earn nothing; an edited table")
        << "place; points 3,1.5" << QStringList{"Spring|final|Ann=300, Bob=280, Cy=270"}
        << "1 Ann 3.0 = 3.0; 2 Bob 1.5 = 1.5; 3 Cy 0.0 = 0.0";
    // 20 each: X's 10, 10, 0 beats Ann's 10, 5, 5 at the second-best, Ann's beats Bob's 8, 6, 6 at the best.
    QTest::newRow("a tie broken by the best contest, then the next")
        << "place"
        << QStringList{"Spring|final|Ann=300, Bob=290", "Summer|final|X=300, Y=290, Bob=280, Ann=270",
                       "Autumn|final|X=300, Y=290, Bob=280, Ann=270"}
        << "1 X - 10 10 = 20; 2 Ann 10 5 5 = 20; 3 Bob 8 6 6 = 20; 4 Y - 8 8 = 16";
    // 66.67 ÷ 200 × 1000 is 333.35 exactly, which binary fractions make 333.3499…; 0.01 ÷ 200 × 1000 is 0.05.
    QTest::newRow("per cent of the winner, exactly, half up")
        << "percent"
        << QStringList{"Spring|final|Ann=312.5, Bob=300, Cy=100.03", "Summer|final|Bob=200, Ann=66.67, Dee=0.01"}
        << "1 Bob 960.0 1000.0 = 1960.0; 2 Ann 1000.0 333.4 = 1333.4; 3 Cy 320.1 - = 320.1; 4 Dee - 0.1 = 0.1";
    // Cy misses Summer (2 placed: 3 points); Dee flies attempts only in Autumn (3 placed: 4 points).
    QTest::newRow("low point, a contest missed and attempts only")
        << "low"
        << QStringList{"Spring|final|Ann=300, Bob=290, Cy=280, Dee=270", "Summer|final|Bob=300, Ann=290",
                       "Autumn|final|Cy=300, Bob=300, Ann=250, Dee=att"}
        << "1 Bob 2 1 1 = 4; 2 Ann 1 2 3 = 6; 3 Cy 3 3 1 = 7; 4 Dee 4 3 4 = 11";
    const QStringList mirrored{"Spring|final|Ann=300, Bob=290", "Summer|final|Bob=300, Ann=290"};
    QTest::newRow("a tie shared under place points") << "place" << mirrored << "1 Ann 10 8 = 18; 1 Bob 8 10 = 18";
    QTest::newRow("a tie shared under per cent")
        << "percent" << mirrored << "1 Ann 1000.0 966.7 = 1966.7; 1 Bob 966.7 1000.0 = 1966.7";
    QTest::newRow("a tie shared under low point") << "low" << mirrored << "1 Ann 1 2 = 3; 1 Bob 2 1 = 3";

    const QStringList rotating{"Spring|final|Ann=300, Bob=290, Cy=280", "Summer|final|Bob=300, Cy=290, Ann=280",
                               "Autumn|final|Cy=300, Bob=290, Ann=280"};
    QTest::newRow("every contest counts")
        << "place" << rotating << "1 Bob 8 10 8 = 26; 2 Cy 6 8 10 = 24; 3 Ann 10 6 6 = 22";
    // Of equal points the earlier contest counts.
    QTest::newRow("the best 2 count")
        << "place; best 2" << rotating << "1 Bob 8 10 (8) = 18; 1 Cy (6) 8 10 = 18; 3 Ann 10 6 (6) = 16";
    QTest::newRow("the worst dropped once 3 are flown")
        << "place; worst 1 from 3" << rotating << "1 Bob 8 10 (8) = 18; 1 Cy (6) 8 10 = 18; 3 Ann 10 6 (6) = 16";
    QTest::newRow("nothing dropped before 4 are flown")
        << "place; worst 1 from 4" << rotating << "1 Bob 8 10 8 = 26; 2 Cy 6 8 10 = 24; 3 Ann 10 6 6 = 22";
    QTest::newRow("low point drops the most points")
        << "low; worst 1 from 3" << rotating << "1 Bob 2 1 (2) = 3; 1 Cy (3) 2 1 = 3; 3 Ann 1 3 (3) = 4";
    QTest::newRow("a missed contest is dropped first")
        << "place; best 1" << QStringList{"Spring|final|Ann=300", "Summer|final|Bob=300, Ann=290"}
        << "1 Ann 10 (8) = 10; 1 Bob - 10 = 10";

    // Class I is not flown at Summer, nor therefore the combination: neither counts Summer.
    QTest::newRow("each class and the combination count the contests that held them")
        << "place" << QStringList{"Spring|final|Ann=300/100, Bob=280/150", "Summer|final|Cy=/200, Ann=/190"}
        << "1 Ann 10 = 10; 2 Bob 8 = 8 | 1 Ann 8 8 = 16; 2 Bob 10 - = 10; 2 Cy - 10 = 10 | 1 Bob 10 = 10; 2 Ann 8 = 8";
    // Bob misses Summer: 1 placed there, so 2 points.
    QTest::newRow("a combination is provisional while a class of it runs")
        << "low" << QStringList{"Spring|final|Ann=300/100, Bob=280/150", "Summer|running|Ann=300/100"}
        << "provisional: Summer; 1 Ann 1 1 = 2; 2 Bob 2 2 = 4 | provisional: Summer; 1 Ann 2 1 = 3; 1 Bob 1 2 = 3"
           " | provisional: Summer; 1 Ann 2 1 = 3; 1 Bob 1 2 = 3";
    QTest::newRow("a contest still running")
        << "place" << QStringList{"Spring|final|Ann=300, Bob=290", "Summer|running|Bob=300"}
        << "provisional: Summer; 1 Bob 8 10 = 18; 2 Ann 10 - = 10";

    // Same number, another spelling: one contestant, shown as last listed.
    QTest::newRow("matched by number")
        << "place" << QStringList{"Spring|final|Ann Lee#7=300, Bob=290", "Summer|final|Ann Lee-Moss#7=300"}
        << "1 Ann Lee-Moss 10 10 = 20; 2 Bob 8 - = 8";
    QTest::newRow("matched by the name whatever its case and blanks")
        << "place" << QStringList{"Spring|final|ann  lee=300", "Summer|final|Ann Lee=300"} << "1 Ann Lee 10 10 = 20";
    QTest::newRow("two contestants of one name told apart by their numbers")
        << "place" << QStringList{"Spring|final|Ann Lee#7=300", "Summer|final|Ann Lee#9=300"}
        << "1 Ann Lee 10 - = 10; 1 Ann Lee - 10 = 10";
    QTest::newRow("near names: accents joined, an initial kept apart")
        << "place"
        << QStringList{"Spring|final|José Núñez=300, B Okafor=290", "Summer|final|Jose Nunez=300, Bola Okafor=290"}
        << "1 Jose Nunez 10 10 = 20; 2 B Okafor 8 - = 8; 2 Bola Okafor - 8 = 8"
           " | José Núñez / Jose Nunez: the same but for accents; joined"
           " | B Okafor / Bola Okafor: the same but for an initial; kept apart";
    QTest::newRow("near names as the director chose")
        << "place; join B Okafor=bola okafor; apart jose nunez=José Núñez"
        << QStringList{"Spring|final|José Núñez=300, B Okafor=290", "Summer|final|Jose Nunez=300, Bola Okafor=290"}
        << "1 Bola Okafor 8 8 = 16; 2 Jose Nunez - 10 = 10; 2 José Núñez 10 - = 10"
           " | José Núñez / Jose Nunez: the same but for accents; kept apart by the director"
           " | B Okafor / Bola Okafor: the same but for an initial; joined by the director";
}

void SeriesTest::series()
{
    QFETCH(QString, settings);
    QFETCH(QStringList, contests);
    QFETCH(QString, expected);
    std::vector<SeriesContest> season;
    for (const QString &contest : contests)
        season.push_back(contestOf(contest));
    const SeriesStandings standings = rankSeries(settingsOf(settings), season);
    const QString got = drawn(standings);
    QVERIFY2(got == expected, qPrintable(QStringLiteral("\n got: %1\nwant: %2").arg(got, expected)));
    // Every sheet says the rules above the table, and a provisional series says so.
    for (const SeriesTable &table : standings.tables) {
        const std::vector<std::string> said = seriesSentences(table, standings.series);
        QVERIFY2(said.size() == (table.stillRunning.empty() ? 3u : 4u), "a sentence for each rule, and the state");
        const ResultTable shown = seriesResults(table, standings);
        QCOMPARE(shown.rows.size(), table.rows.size());
    }
}

// The rules as every sheet words them: each choice of the director in the sentence it makes.
void SeriesTest::sentences_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("said");

    QTest::newRow("place points, the mean, every contest")
        << "place"
        << "Each contest's place earns points: 10, 8, 6, 5, 4, 3, 2, 1 for the first 8 places, none below; contestants "
           "tied on a place share the mean of the points of the places they hold, to two decimals; one who did not "
           "fly a contest earns nothing from it. A contestant with attempts only in a contest has no place in it and "
           "is scored as one who did not fly it. Every contest counts. A tie is broken by the better best contest "
           "counted, then the next best and so on, and only a tie left after all of them is shared.";
    QTest::newRow("one place's points, the higher, the best 1")
        << "place; higher; points 5; best 1"
        << "Each contest's place earns points: 5 for the first place, none below; contestants tied on a place each "
           "earn the points of the higher place; one who did not fly a contest earns nothing from it. A contestant "
           "with attempts only in a contest has no place in it and is scored as one who did not fly it. A "
           "contestant's best 1 contest count; the others are dropped (the fewest points) and shown in brackets. A "
           "tie is broken by the better best contest counted, then the next best and so on, and only a tie left "
           "after all of them is shared.";
    QTest::newRow("per cent, the worst 2 once 5 are flown")
        << "percent; worst 2 from 5"
        << "Each contest earns the contestant's score divided by the winner's score, times 1000, to one decimal "
           "rounded half up; one who did not fly a contest earns nothing from it. A contestant with attempts only in "
           "a contest has no place in it and is scored as one who did not fly it. Once at least 5 contests are "
           "flown, a contestant's worst 2 contests (the fewest points) are dropped and shown in brackets; the others "
           "count. A tie is broken by the better best contest counted, then the next best and so on, and only a tie "
           "left after all of them is shared.";
    QTest::newRow("low point, the worst 1 once 3 are flown")
        << "low; worst 1 from 3"
        << "Each contest earns as many points as the place (tied contestants the place they share); one who did not "
           "fly a contest earns the number of contestants placed in it plus one; the lowest total wins. A contestant "
           "with attempts only in a contest has no place in it and is scored as one who did not fly it. Once at "
           "least 3 contests are flown, a contestant's worst 1 contest (the highest points) is dropped and shown in "
           "brackets; the others count. A tie is broken by the better best contest counted, then the next best and "
           "so on (fewer points being better), and only a tie left after all of them is shared.";
}

void SeriesTest::sentences()
{
    QFETCH(QString, settings);
    QFETCH(QString, said);
    const SeriesStandings standings = rankSeries(settingsOf(settings), {contestOf("Spring|final|Ann=300")});
    QCOMPARE(standings.tables.size(), std::size_t(1));
    QStringList sentences;
    for (const std::string &sentence : seriesSentences(standings.tables.front(), standings.series))
        sentences << QString::fromStdString(sentence);
    QCOMPARE(sentences.join(u' '), said);
}

void SeriesTest::placePoints_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read"); // empty: refused

    QTest::newRow("commas") << "10, 8, 6" << "10, 8, 6";
    QTest::newRow("blanks and decimals") << "25 18  15.5" << "25, 18, 15.5";
    QTest::newRow("a word") << "10, eight" << "";
    QTest::newRow("negative") << "10, -1" << "";
    QTest::newRow("nothing") << " , " << "";
}

void SeriesTest::placePoints()
{
    QFETCH(QString, typed);
    QFETCH(QString, read);
    std::vector<std::string> points{"kept"};
    const bool taken = readPlacePoints(typed.toStdString(), points);
    QCOMPARE(taken, !read.isEmpty());
    QCOMPARE(QString::fromStdString(placePointsText(points)), read.isEmpty() ? QStringLiteral("kept") : read);
}

QTEST_GUILESS_MAIN(SeriesTest)
#include "series_test.moc"
