#include "contest_entries_test.h"

#include "contest_journal.h"
#include "contestant_names.h"
#include "journal_merge.h"
#include "journal_reader.h"
#include "journal_schema.h"
#include "journal_test_support.h"
#include "series_reading.h"
#include "standings_reader.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <set>

using namespace orlo;
using namespace orlo::journal;

using namespace orlo::contest;
using namespace journal_test;

namespace {

// The list as "name number (flights)", by name.
QStringList listed(const JournalReader &reader)
{
    QStringList lines;
    for (const Entry &entry : reader.entries())
        lines.append(QStringLiteral("%1 %2 (%3)")
                         .arg(QString::fromStdString(entry.name), QString::fromStdString(entry.number))
                         .arg(entry.flights));
    return lines;
}

std::int64_t idOf(const JournalReader &reader, const QString &name)
{
    for (const Entry &entry : reader.entries())
        if (sameName(entry.name, name.toStdString()))
            return entry.id;
    return -1;
}

} // namespace


void ContestEntriesTest::namesCompared_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tidy");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("same");
    QTest::newRow("two spaces inside") << "Hal  Ivers" << "Hal Ivers" << "Hal Ivers" << true;
    QTest::newRow("blanks at the ends and a tab") << " \tHal\t Ivers  " << "Hal Ivers" << "hal ivers" << true;
    QTest::newRow("no-break space between initials") << "B.\u00a0Okafor" << "B. Okafor" << "b. OKAFOR" << true;
    QTest::newRow("latin-1 capitals fold") << "ÉMILE ØRSTED" << "ÉMILE ØRSTED" << "émile ørsted" << true;
    QTest::newRow("multiplication sign is no letter") << "A×B" << "A×B" << "A÷B" << false;
    QTest::newRow("a longer first name is another name") << "Ken Lo" << "Ken Lo" << "Kenneth Lo" << false;
    QTest::newRow("other scripts compared as written") << "Дмитрий" << "Дмитрий" << "дмитрий" << false;
    QTest::newRow("blanks alone are no name") << " \t " << "" << "" << true;
    QTest::newRow("accents keep two names apart, found alike") << "José Núñez" << "José Núñez" << "Jose Nunez" << false;
}

void ContestEntriesTest::namesCompared()
{
    QFETCH(QString, typed);
    QFETCH(QString, tidy);
    QFETCH(QString, other);
    QFETCH(bool, same);
    QCOMPARE(QString::fromStdString(tidyName(typed.toStdString())), tidy);
    QVERIFY2(sameName(typed.toStdString(), other.toStdString()) == same,
             qPrintable(typed + (same ? " differs from " : " matches ") + other));
}

void ContestEntriesTest::completionFinds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("found");
    QTest::addColumn<QList<int>>("nearest"); // the two names nearest, for a name not on the list
    QTest::newRow("number") << "17" << QList<int>{1, 2} << QList<int>{2, 0};
    QTest::newRow("inside a name, any case") << "OKA" << QList<int>{1} << QList<int>{1, 0};
    QTest::newRow("starts first, then inside") << "a" << QList<int>{2, 0, 1, 5, 6} << QList<int>{2, 0};
    QTest::newRow("nothing typed finds all") << "" << QList<int>{0, 1, 2, 3, 4, 5, 6} << QList<int>{2, 0};
    QTest::newRow("nobody") << "zz" << QList<int>{} << QList<int>{2, 0};
    QTest::newRow("a misspelt name is nearest its entry") << "b okafr" << QList<int>{} << QList<int>{1, 4};
    QTest::newRow("case and blanks cost nothing") << " LEE  WARD" << QList<int>{0} << QList<int>{0, 2};
    QTest::newRow("accents folded: nunez") << "nunez" << QList<int>{3} << QList<int>{3, 2};
    QTest::newRow("accents folded: jose") << "jose" << QList<int>{3} << QList<int>{3, 4};
    QTest::newRow("a slashed O folded by the table") << "oster" << QList<int>{4} << QList<int>{4, 0};
    QTest::newRow("capital accents typed find a plain name") << "ÓKÁFOR" << QList<int>{1} << QList<int>{1, 0};
    QTest::newRow("marks written apart (NFD)") << "Nu\u0301n\u0303ez" << QList<int>{3} << QList<int>{3, 2};
    QTest::newRow("eszett and ligatures spelt out") << "gross maester" << QList<int>{5} << QList<int>{5, 4};
    QTest::newRow("a barred L") << "lukasz wojcik" << QList<int>{6} << QList<int>{6, 0};
}

void ContestEntriesTest::completionFinds()
{
    QFETCH(QString, typed);
    QFETCH(QList<int>, found);
    QFETCH(QList<int>, nearest);
    const std::vector<NameAndNumber> entries{{"Lee Ward", "3"},       {"B. Okafor", "17"},    {"Ann Cho", "117"},
                                             {"José Núñez", "21"},    {"Per Øster", "22"},    {"Groß Mæster", "23"},
                                             {"Łukasz Wójcik", "24"}};
    const auto listed = [](const std::vector<std::size_t> &positions) {
        QList<int> list;
        for (const std::size_t position : positions)
            list.append(static_cast<int>(position));
        return list;
    };
    QCOMPARE(listed(completions(entries, typed.toStdString())), found);
    QCOMPARE(listed(nearestNames(entries, typed.toStdString(), 2)), nearest);
}

void ContestEntriesTest::journalOfTheLastVersionCarriedForward_data()
{
    QTest::addColumn<qint64>("flight");
    QTest::addColumn<QString>("contestant");
    // The fixture was recorded by the previous version, names typed in the flights window.
    QTest::newRow("first spelling names the entry") << qint64(1) << "Hal Ivers";
    QTest::newRow("two spaces inside") << qint64(2) << "Hal Ivers";
    QTest::newRow("other case and blanks at the ends") << qint64(3) << "Hal Ivers";
    QTest::newRow("no name typed") << qint64(4) << "";
    QTest::newRow("no-break space") << qint64(6) << "B. Okafor";
}

void ContestEntriesTest::journalOfTheLastVersionCarriedForward()
{
    QFETCH(qint64, flight);
    QFETCH(QString, contestant);
    const QString path = m_folder.filePath(QStringLiteral("carried-%1.sqlite").arg(QTest::currentDataTag()));
    QVERIFY2(QFile::copy(QStringLiteral(ORLO_JOURNAL_FIXTURES "/journal_before_entries.sqlite"), path),
             "the fixture journal could not be copied");
    ContestJournal contest(text(path));
    QCOMPARE(listed(JournalReader(text(path))), (QStringList{"B. Okafor  (1)", "Hal Ivers  (3)", "Ken Lo  (1)"}));
    const std::vector<FlightRow> rows = JournalReader(text(path)).flights();
    QCOMPARE(rows.size(), std::size_t(6));
    std::set<std::string> uuids;
    for (const FlightRow &row : rows) {
        QVERIFY2(row.uuid.size() == 36 && row.uuid[14] == '4', row.uuid.c_str());
        uuids.insert(row.uuid);
        QVERIFY2(row.status == FlightStatus::Official, statusName(row.status).c_str());
        if (row.id == flight)
            QCOMPARE(QString::fromStdString(row.contestant), contestant);
    }
    QCOMPARE(uuids.size(), rows.size());

    // No contest settings until the director sets them, but the name after
    // the flights' day; then kept, and read by a reader, with a class closed
    // at the clock's time.
    QVERIFY2((JournalReader(text(path)).contest() == ContestSettings{"Contest of 2026-05-28", {}, {}, {}, {}}),
             "a carried journal holds contest settings");
    ContestSettings kept{"Nats", "2026-07-01", "2026-07-03", {}, {{"Profile + Class I", {"Profile", "Class I"}}}};
    kept.classes.push_back({"Profile", Counting::SumOfBest, 2, 3, TieRule::NextBest, false, ""});
    ContestSettings twoRules = kept;
    twoRules.classes.push_back(kept.classes.front());
    QVERIFY_THROWS_EXCEPTION(EntryRefused, contest.setContest(twoRules));
    contest.setContest(kept);
    contest.setClock([] { return std::time_t(86400); });
    contest.setFinal("Class I", true);
    kept.classes.push_back({"Class I", Counting::BestFlight, 1, 2, TieRule::Shared, true, "1970-01-02T00:00:00+00:00"});
    const JournalReader reader(text(path));
    QVERIFY2(reader.contest() == kept, "the contest read back differs from the one kept");
    QCOMPARE(reader.entries().size(), std::size_t(3));
}

void ContestEntriesTest::entryListChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("list");
    const QStringList before{"Hal Ivers 12 (1)", "Ken Lo 17 (0)"};
    QTest::newRow("add a name listed, in other case") << "add" << "" << "hal  IVERS" << "Hal Ivers is already" << before;
    QTest::newRow("add an empty name") << "add" << "" << " \t" << "needs a name" << before;
    QTest::newRow("add with a number used") << "add" << "" << "Ann Cho|17" << "Number 17 is already Ken Lo's" << before;
    QTest::newRow("add a new entry")
        << "add" << "" << "Ann  Cho|5" << "" << QStringList{"Ann Cho 5 (0)", "Hal Ivers 12 (1)", "Ken Lo 17 (0)"};
    QTest::newRow("rename to another's name") << "rename" << "Ken Lo" << "HAL IVERS" << "merge them" << before;
    QTest::newRow("rename in another case")
        << "rename" << "Hal Ivers" << "HAL IVERS" << "" << QStringList{"HAL IVERS 12 (1)", "Ken Lo 17 (0)"};
    QTest::newRow("take another's number") << "number" << "Hal Ivers" << " 17 " << "Number 17 is already" << before;
    QTest::newRow("remove with flights") << "remove" << "Hal Ivers" << "" << "has flights" << before;
    QTest::newRow("remove without flights") << "remove" << "Ken Lo" << "" << "" << QStringList{"Hal Ivers 12 (1)"};
    QTest::newRow("merge, flights follow") << "merge" << "Hal Ivers" << "Ken Lo" << "" << QStringList{"Ken Lo 17 (1)"};
    QTest::newRow("merge into itself") << "merge" << "Ken Lo" << "Ken Lo" << "into itself" << before;
    QTest::newRow("contest day 31 February") << "days" << "" << "2026-02-31" << "not 2026-02-31" << before;
    QTest::newRow("contest day 29 February, common year") << "days" << "" << "2027-02-29" << "not 2027-02-29" << before;
    QTest::newRow("contest day 29 February, leap year") << "days" << "" << "2028-02-29" << "" << before;
}

void ContestEntriesTest::entryListChanges()
{
    QFETCH(QString, change);
    QFETCH(QString, entry);
    QFETCH(QString, value);
    QFETCH(QString, refusal);
    QFETCH(QStringList, list);
    const QString path = m_folder.filePath(QStringLiteral("list-%1.sqlite").arg(QTest::currentDataTag()));
    ContestJournal contest(text(path));
    contest.add({"Hal Ivers", "12", {}});
    contest.add({"Ken Lo", "17", {"Profile"}});
    {
        FlightJournal journal(text(path));
        journal.calculated(calculation("310.5"));
        QVERIFY2(journal.setContestant(JournalReader(text(path)).flights().front().id, " hal  IVERS"), "the flight took no contestant");
    }
    const std::int64_t id = idOf(JournalReader(text(path)), entry);
    const std::string typed = value.toStdString();
    QString refused;
    try {
        if (change == QLatin1String("add")) {
            const auto bar = typed.find('|');
            contest.add({typed.substr(0, bar), bar == std::string::npos ? "" : typed.substr(bar + 1), {}});
        } else if (change == QLatin1String("rename")) {
            contest.rename(id, typed);
        } else if (change == QLatin1String("number")) {
            contest.setNumber(id, typed);
        } else if (change == QLatin1String("remove")) {
            contest.remove(id);
        } else if (change == QLatin1String("days")) {
            contest.setContest({"Nats", typed, typed, {}, {}});
        } else {
            contest.merge(id, idOf(JournalReader(text(path)), value));
        }
    } catch (const EntryRefused &refusedChange) {
        refused = QString::fromUtf8(refusedChange.what());
    }
    QVERIFY2(refusal.isEmpty() ? refused.isEmpty() : refused.contains(refusal), qPrintable(refused));
    QCOMPARE(listed(JournalReader(text(path))), list);
}

void ContestEntriesTest::flightCorrected_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("trail");
    const QString named = "10:00:00+00:00 contestant  > Hal Ivers ()";
    QTest::newRow("marked attempt") << "attempt" << " no low-speed  signal" << "" << "Hal Ivers 12 attempt"
                                    << named + "\n10:05:00+00:00 status official > attempt (no low-speed signal)";
    QTest::newRow("void without a reason") << "void" << " " << "Give the reason" << "Hal Ivers 12 official" << named;
    QTest::newRow("official again is no change") << "official" << "re-fly" << "official already"
                                                 << "Hal Ivers 12 official" << named;
    QTest::newRow("moved to another contestant")
        << "move" << "keyed under the wrong number" << "" << "Ken Lo 17 official"
        << named + "\n10:05:00+00:00 contestant Hal Ivers > Ken Lo (keyed under the wrong number)";
    QTest::newRow("moved to its own contestant") << "stay" << "" << "Hal Ivers's already" << "Hal Ivers 12 official"
                                                 << named;
    // Changes that are no correction, each read by the Standings window after it.
    QTest::newRow("scored again in another class") << "Class II" << "" << "" << "Hal Ivers 12 official" << named;
    QTest::newRow("next contestant flown") << "fly" << "" << "" << "Ken Lo 17 official" << named;
    QTest::newRow("class closed by the director") << "close" << "" << "" << "Hal Ivers 12 official" << named;
    QTest::newRow("entry renamed") << "rename" << "" << "" << "Hal Ives 12 official" << named;
    QTest::newRow("unflown entry withdrawn") << "withdraw" << "" << "" << "Hal Ivers 12 official" << named;
    // Recorded into the wrong contest of the season and moved to its own.
    const QString moved = named + "\n10:05:00+00:00 contest Contest of 2026-12-08 > Autumn Carrier Meet (flown at the "
                                  "autumn meet)";
    QTest::newRow("moved to another contest, under its number there")
        << "to H. Ivers|12" << "flown at the autumn meet" << "" << "H. Ivers 12 official in Autumn Carrier Meet"
        << moved + "\n10:05:00+00:00 contestant Hal Ivers > H. Ivers (flown at the autumn meet)";
    QTest::newRow("moved to another contest, under its name there")
        << "to hal  IVERS|" << "flown at the autumn meet" << "" << "hal IVERS  official in Autumn Carrier Meet"
        << moved + "\n10:05:00+00:00 contestant Hal Ivers > hal IVERS (flown at the autumn meet)";
    QTest::newRow("moved to another contest, its entry added there")
        << "to " << "flown at the autumn meet" << "" << "Hal Ivers 12 official in Autumn Carrier Meet" << moved;
    QTest::newRow("moved in another scoring table, merged here")
        << "to merged" << "flown at the autumn meet" << "" << "Hal Ivers 12 official in Autumn Carrier Meet" << moved;
    QTest::newRow("moved to another contest without a reason")
        << "to " << "" << "Give the reason" << "Hal Ivers 12 official in Contest of 2026-12-08" << named;
    QTest::newRow("moved to the contest it is in") << "to itself" << "wrong contest" << "recorded into Contest of "
                                                   << "Hal Ivers 12 official in Contest of 2026-12-08" << named;
    QTest::newRow("moved out of a final class")
        << "to final here" << "flown at the autumn meet" << "Class I is final in Contest of 2026-12-08"
        << "Hal Ivers 12 official in Contest of 2026-12-08" << named;
    QTest::newRow("moved into a final class")
        << "to final there" << "flown at the autumn meet" << "Class I is final in Autumn Carrier Meet"
        << "Hal Ivers 12 official in Contest of 2026-12-08" << named;
}

void ContestEntriesTest::flightCorrected()
{
    QFETCH(QString, change);
    QFETCH(QString, reason);
    QFETCH(QString, refusal);
    QFETCH(QString, listed);
    QFETCH(QString, trail);
    const QString path = m_folder.filePath(QStringLiteral("corrected-%1.sqlite").arg(QTest::currentDataTag()));
    std::time_t now = 1796724000; // 2026-12-08 10:00 UTC
    ContestJournal contest(text(path));
    contest.setClock([&] { return now + 300; });
    const std::int64_t hal = contest.add({"Hal Ivers", "12", {"Class I"}});
    const std::int64_t other = contest.add({"Ken Lo", "17", {"Class II"}});
    SeriesSettings series;
    series.name = "Club series";
    contest.setSeries(series);
    FlightJournal journal(text(path));
    journal.setClock([&] { return now; });
    journal.calculated(calculation("310.5"));
    const std::int64_t flight = JournalReader(text(path)).flights().front().id;
    QVERIFY(journal.setContestant(flight, "hal ivers"));
    // A move goes to the next contest of the season, the first current again
    // while the Standings window shows it; "to NAME|NUMBER" lists an entry there.
    const std::int64_t first = JournalReader(text(path)).contests().front().id;
    std::int64_t autumn = 0;
    if (change.startsWith("to ")) {
        if (change == "to final here")
            contest.setFinal("Class I", true);
        autumn = contest.startContest({"Autumn Carrier Meet", "2026-12-09", "2026-12-09", false});
        if (change == "to final there")
            contest.setFinal("Class I", true);
        if (const QStringList listedThere = change.mid(3).split('|'); listedThere.size() == 2)
            contest.add({text(listedThere[0]), text(listedThere[1]), {"Class I"}});
        contest.makeCurrent(first);
    }
    StandingsReader standings(text(path));
    standings.read();
    QString refused;
    try {
        if (change == "to merged") {
            // Moved on the other table's copy alone: the merge brings the flight to its contest here.
            const std::string other = text(path) + ".other";
            backUpJournal(text(path), other);
            ContestJournal there(other);
            there.setClock([&] { return now + 300; });
            there.moveToContest(flight, autumn, reason.toStdString());
            mergeJournal(text(path), other);
        } else if (change.startsWith("to ")) {
            contest.moveToContest(flight, change == "to itself" ? first : autumn, reason.toStdString());
        } else if (const auto status = statusNamed(change.toStdString())) {
            contest.setStatus(flight, *status, reason.toStdString());
        } else if (change.startsWith("Class")) {
            CalculationRecord again = calculation("320.0");
            again.classCaption = change.toStdString();
            journal.calculated(again);
        } else if (change == "fly") {
            journal.nowFlying(other);
            journal.calculated(calculation("290.0"));
        } else if (change == "close") {
            contest.setContest({"", "", "", {{"Class I", Counting::BestFlight, 1, 2, TieRule::Shared, true, ""}}, {}});
        } else if (change == "rename") {
            contest.rename(hal, "Hal Ives");
        } else if (change == "withdraw") {
            contest.setWithdrawn(other, true);
        } else {
            contest.moveFlight(flight, change == "move" ? other : hal, reason.toStdString());
        }
    } catch (const EntryRefused &refusedChange) {
        refused = QString::fromUtf8(refusedChange.what());
    }
    QVERIFY2(refusal.isEmpty() ? refused.isEmpty() : refused.contains(refusal), qPrintable(refused));
    // The Standings window reads only what changed, and shows what a whole read shows.
    const Results shown = standings.read();
    const JournalReader whole(text(path));
    Results ranked = rank(whole.contest(), whole.entries(), whole.scoredFlights(), {}, shown.asOf);
    QVERIFY2(shown == tellRounds(ranked, whole.flightOrder(), whole.entries(), whole.scoredFlights()),
             "the standings read after the change differ from those of the whole journal");
    // The field's series, read over the same reader with the current contest
    // as just read, are the series of every contest read whole.
    JournalReader season(text(path));
    const std::vector<SeriesStandings> every = everySeries(season);
    QVERIFY2(every.size() == 1 && every.front() == readSeriesStandings(text(path), "Club series"),
             "every series read at once differs from the series read alone");
    QVERIFY2(standings.series() == every, "the series differ from those of the whole journal");
    // The newest flight of the contest the flight is in now, and that
    // contest when the season has two.
    JournalReader where(text(path));
    QString found;
    for (const SeasonContest &each : where.contests()) {
        where.chooseContest(each.id);
        const std::vector<FlightRow> rows = where.flights();
        if (std::any_of(rows.begin(), rows.end(), [&](const FlightRow &row) { return row.id == flight; }))
            found = QString::fromStdString(rows.front().contestant + " " + rows.front().number + " "
                                           + statusName(rows.front().status) + (autumn != 0 ? " in " + each.name : ""));
    }
    QCOMPARE(found, listed);
    QStringList kept;
    for (const FlightChange &kept1 : JournalReader(text(path)).changes(flight))
        kept.append(QString::fromStdString(kept1.changedAt.substr(11) + " " + kept1.what + " " + kept1.before + " > "
                                           + kept1.after + " (" + kept1.reason + ")"));
    QCOMPARE(kept.join('\n'), trail);
}

void ContestEntriesTest::nowFlyingNamesTheNextFlight_data()
{
    // Steps: 1 and 2 name Hal Ivers and Ken Lo as flying next, C is a
    // calculation, R a Reset. Listed: the flights' contestants, newest first.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("named before the flight") << "1C" << QStringList{"Hal Ivers"};
    QTest::newRow("a Reset after naming keeps the name") << "1RC" << QStringList{"Hal Ivers"};
    QTest::newRow("a Reset after the flight leaves the next unnamed") << "1CRC" << QStringList{"", "Hal Ivers"};
    QTest::newRow("naming the next ends the flight") << "1C2C" << QStringList{"Ken Lo", "Hal Ivers"};
    QTest::newRow("named while scored: the flight ends") << "C1C" << QStringList{"Hal Ivers", ""};
}

void ContestEntriesTest::nowFlyingNamesTheNextFlight()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, listed);
    const QString path = m_folder.filePath(QStringLiteral("flying-%1.sqlite").arg(QTest::currentDataTag()));
    ContestJournal contest(text(path));
    const std::int64_t entries[] = {contest.add({"Hal Ivers", "12", {}}), contest.add({"Ken Lo", "17", {}})};
    FlightJournal journal(text(path));
    int score = 0;
    for (const QChar step : steps) {
        if (step == 'C')
            journal.calculated(calculation(std::to_string(++score) + ".0"));
        else if (step == 'R')
            journal.flightEnded();
        else
            journal.nowFlying(entries[step.digitValue() - 1]);
    }
    QStringList contestants;
    for (const FlightRow &flight : JournalReader(text(path)).flights())
        contestants.append(QString::fromStdString(flight.contestant));
    QCOMPARE(contestants, listed);
}

QTEST_GUILESS_MAIN(ContestEntriesTest)

#include "moc_contest_entries_test.cpp"

// The order of flying kept in the journal and brought along by a merge:
// "here" and "there" say which table the director ordered the classes in.
void ContestEntriesTest::flightOrderKeptAndMerged_data()
{
    QTest::addColumn<QString>("orderedIn");
    QTest::addColumn<int>("merges");
    QTest::addColumn<QString>("expected"); // the order read here at the end
    QTest::addColumn<QString>("conflict");

    const QString drawn = "distance 4; Class I drawn 18446744073709551615 Ken Lo,Hal Ivers circle B; "
                          "again Hal Ivers Class I 1; withdrawn Ken Lo";
    QTest::newRow("kept and read back") << "here" << 0 << drawn << "";
    QTest::newRow("merged into a table without one") << "there" << 1 << drawn << "";
    QTest::newRow("merged twice, nothing doubled") << "there" << 2 << drawn << "";
    // The call again and the withdrawal arrive all the same: each is a fact, not a choice of order.
    QTest::newRow("ordered in both, this table's kept")
        << "both" << 1 << "distance 3; Class I by hand Hal Ivers,Ken Lo circle ; again Hal Ivers Class I 1; withdrawn Ken Lo"
        << "The order of flying of Class I differs in the two tables; it stays as this table has it.";
    QTest::newRow("none kept") << "" << 1 << "distance 3; withdrawn nobody" << "";
}

void ContestEntriesTest::flightOrderKeptAndMerged()
{
    QFETCH(QString, orderedIn);
    QFETCH(int, merges);
    QFETCH(QString, expected);
    QFETCH(QString, conflict);
    const QString path = m_folder.filePath(QStringLiteral("order-%1.sqlite").arg(QTest::currentDataTag()));
    const std::string other = text(path) + ".other";
    std::int64_t hal = 0, ken = 0;
    {
        ContestJournal contest(text(path));
        hal = contest.add({"Hal Ivers", "12", {"Class I"}});
        ken = contest.add({"Ken Lo", "17", {"Class I"}});
    }
    backUpJournal(text(path), other);
    auto order = [&](const std::string &where, bool byHand) {
        ContestJournal contest(where);
        FlyingOrder kept;
        if (byHand) {
            kept.classes.push_back({"Class I", OrderMethod::ByHand, 0, {hal, ken}, ""});
        } else {
            kept.minDistance = 4;
            kept.classes.push_back({"Class I", OrderMethod::Drawn, UINT64_MAX, {ken, hal}, "B"});
            contest.callAgain(hal, "Class I", 1);
            contest.setWithdrawn(ken, true);
        }
        contest.setFlightOrder(kept);
    };
    if (orderedIn == "here")
        order(text(path), false);
    if (orderedIn == "there" || orderedIn == "both")
        order(other, false);
    if (orderedIn == "both")
        order(text(path), true);
    MergeReport report;
    for (int merge = 0; merge < merges; ++merge)
        report = mergeJournal(text(path), other);

    const JournalReader reader(text(path));
    const FlyingOrder read = reader.flightOrder();
    auto nameOf = [&](std::int64_t id) { return id == hal ? QStringLiteral("Hal Ivers") : QStringLiteral("Ken Lo"); };
    QString shown = QStringLiteral("distance %1").arg(read.minDistance);
    for (const ClassOrder &kept : read.classes) {
        QStringList names;
        for (std::int64_t id : kept.entries)
            names << nameOf(id);
        shown += QStringLiteral("; %1 %2 %3%4 circle %5")
                     .arg(QString::fromStdString(kept.caption), QString::fromStdString(methodName(kept.method)),
                          kept.method == OrderMethod::Drawn ? QString::number(kept.seed) + " " : QString(),
                          names.join(u','), QString::fromStdString(kept.circle));
    }
    for (const CallAgain &again : read.callAgain)
        shown += QStringLiteral("; again %1 %2 %3").arg(nameOf(again.entry), QString::fromStdString(again.caption)).arg(again.afterFlights);
    QStringList withdrawn;
    for (const Entry &entry : reader.entries())
        if (entry.withdrawn)
            withdrawn << QString::fromStdString(entry.name);
    shown += "; withdrawn " + (withdrawn.isEmpty() ? QStringLiteral("nobody") : withdrawn.join(u','));
    QCOMPARE(shown, expected);
    QStringList conflicts;
    for (const std::string &sentence : report.conflicts)
        conflicts << QString::fromStdString(sentence);
    QCOMPARE(conflicts.join(u'\n'), conflict);
}
