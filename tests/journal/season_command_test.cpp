#include "command_line_test.h"

#include "contest_journal.h"
#include "flight_journal.h"
#include "flights_csv.h"
#include "journal_reader.h"
#include "sqlite_library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;
using namespace command_line_test;

void addWrongSeasonCommandLines()
{
    QTest::newRow("contest-without-a-command") << QStringList{"--contest", "Nats"} << 2 << "--contest goes with";
    QTest::newRow("results-of-an-unknown-contest") << QStringList{"--results", "results.csv", "--contest", "Nats"}
                                                   << 1 << "There is no contest named Nats";
    QTest::newRow("new-contest-day-not-a-date")
        << QStringList{"--new-contest", "Nats", "--first-day", "2026-02-30"} << 2 << "--first-day takes a date";
    QTest::newRow("new-contest-with-last-day-first")
        << QStringList{"--new-contest", "Nats", "--first-day", "2026-07-03", "--last-day", "2026-07-01"} << 1
        << "No contest was started.";
    QTest::newRow("new-contest-of-a-name-taken")
        << QStringList{"--new-contest", "contest of 2026-12-07  to 2026-12-08"} << 1
        << "There is a contest named Contest of 2026-12-07 to 2026-12-08 in this journal already";
    QTest::newRow("copy-entries-alone") << QStringList{"--copy-entries"} << 2 << "go with --new-contest only";
    QTest::newRow("series-alone") << QStringList{"--series", "Club"} << 2 << "--series goes with --series-results only";
    QTest::newRow("series-in-an-unknown-format") << QStringList{"--series-results", "series.txt"} << 2
                                                 << "--series-results writes a file whose name ends in one of .csv";
    QTest::newRow("series-with-results") << QStringList{"--series-results", "series.csv", "--results", "results.csv"}
                                         << 2 << "given one at a time";
    QTest::newRow("series-without-journal") << QStringList{"--series-results", "series.csv", "--no-journal"} << 2
                                            << "--no-journal goes with none";
    QTest::newRow("series-of-an-unknown-name")
        << QStringList{"--series-results", "series.csv", "--series", "Club"} << 1
        << "the journal holds no series named \"Club\" (it holds none yet). Nothing was written.";
    QTest::newRow("series-of-an-unknown-class")
        << QStringList{"--series-results", "series.csv", "--class", "Class IX"} << 1
        << "no contest of the series holds the class \"Class IX\"";
}

// A journal of each earlier layout becomes one contest holding its flights
// and entries, named as its contest was, or after its days.
void CommandLineTest::journalOfEachLayoutCarriedForward_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("sql"); // takes the fixture back to its layout
    QTest::addColumn<QString>("listed");
    const QString unnamed = QStringLiteral("Contest of 2026-05-28\t\t\t6\tcurrent\n");
    QTest::newRow("layout 1, without the application id")
        << "journal_before_entries" << "PRAGMA application_id = 0; PRAGMA user_version = 1;" << unnamed;
    QTest::newRow("layout 2, before the entry list") << "journal_before_entries" << "" << unnamed;
    QTest::newRow("layout 3, before the engine bonus's column")
        << "journal_before_season"
        << "DROP TABLE contest; DROP TABLE class_rule; DROP TABLE combination;"
           "ALTER TABLE calculation DROP COLUMN engine_bonus; PRAGMA user_version = 3;"
        << unnamed;
    QTest::newRow("layout 4, before the contest's settings")
        << "journal_before_season" << "DROP TABLE contest; DROP TABLE class_rule; DROP TABLE combination;"
                                      "PRAGMA user_version = 4;"
        << unnamed;
    QTest::newRow("layout 5, one named contest")
        << "journal_before_season" << "" << "Spring Carrier Meet\t2026-05-28\t2026-05-29\t6\tcurrent\n";
}

void CommandLineTest::journalOfEachLayoutCarriedForward()
{
    QFETCH(QString, fixture);
    QFETCH(QString, sql);
    QFETCH(QString, listed);
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("journal.sqlite"));
    QVERIFY(QFile::copy(QStringLiteral(ORLO_JOURNAL_FIXTURES "/") + fixture + QStringLiteral(".sqlite"), journal));
    QVERIFY(QFile::setPermissions(journal, QFile::ReadOwner | QFile::WriteOwner));
    if (!sql.isEmpty()) {
        sqlite3 *older = nullptr;
        QCOMPARE(sqlite().open_v2(journal.toUtf8().constData(), &older, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const int done = sqlite().exec(older, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        sqlite().close_v2(older);
        QCOMPARE(done, SQLITE_OK);
    }
    const Run listing = run({"--journal", journal, "--list-contests"});
    QCOMPARE(listing.status, 0);
    QCOMPARE(listing.output, listed);
    QVERIFY2(listing.errors.contains(QLatin1String("carried forward")), qPrintable(listing.errors));
    const JournalReader contest(journal.toStdString());
    QCOMPARE(contest.entries().size(), std::size_t(3));
    QCOMPARE(contest.contests().size(), std::size_t(1));
    QVERIFY2(contest.contests().front().uuid.size() == 36, "the carried contest has a UUID");
}

// Two contests in one journal: flights, entries and settings kept apart, and
// the past contest's results, a final class among them, written byte for byte
// as they were before the journal was carried forward and another contest
// started.
void CommandLineTest::contestsKeptApart()
{
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("journal.sqlite"));
    QVERIFY(QFile::copy(QStringLiteral(ORLO_JOURNAL_FIXTURES "/journal_before_season.sqlite"), journal));
    QVERIFY(QFile::setPermissions(journal, QFile::ReadOwner | QFile::WriteOwner));
    const QByteArray earlier = contentsOf(QStringLiteral(ORLO_JOURNAL_FIXTURES "/journal_before_season_class_i.csv"));
    const QString csv = folder.filePath(QStringLiteral("results.csv"));
    const auto classOne = [&](QStringList more) {
        const Run written = run(QStringList{"--journal", journal, "--results", csv, "--class", "Class I"} + more);
        return written.status == 0 ? contentsOf(csv) : written.errors.toUtf8();
    };
    QCOMPARE(classOne({}), earlier);

    const Run started = run({"--journal", journal, "--new-contest", " Autumn  Meet", "--first-day", "2026-10-01",
                             "--last-day", "2026-10-02", "--copy-entries"});
    QVERIFY2(started.status == 0 && started.output.contains(QLatin1String("Started the contest Autumn Meet")),
             qPrintable(started.output + started.errors));
    // The journal holds Spring's flights; the new contest has none yet.
    const Run noneYet = run({"--journal", journal, "--results", csv});
    QVERIFY2(noneYet.status == 0 && noneYet.output.contains(QLatin1String("No flights in Autumn Meet yet")),
             qPrintable(noneYet.output + noneYet.errors));
    {
        ContestJournal autumn(journal.toStdString());
        autumn.setFinal("Class I", false);
        QStringList copied;
        const std::vector<Entry> copiedEntries = JournalReader(journal.toStdString()).entries();
        for (const Entry &entry : copiedEntries)
            copied << QString::fromStdString(entry.name + " " + entry.number + " " + std::to_string(entry.flights));
        QCOMPARE(copied, (QStringList{"B. Okafor  0", "Hal Ivers 12 0", "Ken Lo 17 0"}));
        FlightJournal recording(journal.toStdString());
        recording.nowFlying(copiedEntries[1].id);
        recording.calculated(scored("Class I", "300.0"));
        recording.flightEnded();
        autumn.add({"Ann Cho", "40", {}});
    }
    const Run listing = run({"--journal", journal, "--list-contests"});
    QCOMPARE(listing.output, QStringLiteral("Spring Carrier Meet\t2026-05-28\t2026-05-29\t6\n"
                                            "Autumn Meet\t2026-10-01\t2026-10-02\t1\tcurrent\n"));
    QCOMPARE(classOne({"--contest", "spring carrier meet"}), earlier);
    QVERIFY2(classOne({}).contains(",300.0,") && !classOne({}).contains("151.1"), classOne({}).constData());

    const QString flights = folder.filePath(QStringLiteral("flights.csv"));
    const Run exported = run({"--journal", journal, "--export-journal", flights, "--contest", "Spring Carrier Meet"});
    QVERIFY2(exported.output.contains(QLatin1String("Exported 6 flights")), qPrintable(exported.output));
    // Number 40 is Ann Cho's in the current contest alone.
    const QString entries = folder.filePath(QStringLiteral("entries.csv"));
    QFile file(entries);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Name,Number\nDee Fox,40\n") > 0);
    file.close();
    const Run refused = run({"--journal", journal, "--import-entries", entries});
    QVERIFY2(refused.status == 1 && refused.errors.contains(QLatin1String("number 40 is Ann Cho's")),
             qPrintable(refused.errors));
    const Run imported = run({"--journal", journal, "--import-entries", entries, "--contest", "Spring Carrier Meet"});
    QVERIFY2(imported.status == 0 && imported.output.contains(QLatin1String("Added 1 entry")),
             qPrintable(imported.output + imported.errors));
    QCOMPARE(JournalReader(journal.toStdString()).entries().size(), std::size_t(4));
    JournalReader spring(journal.toStdString());
    spring.chooseContest(spring.contests().front().id);
    QCOMPARE(spring.entries().size(), std::size_t(4));
    QCOMPARE(spring.flightCount(), 6);
}

namespace {

// A journal of the contest "Nats" at path, with an entry and a flight of
// the given class and score at each of the hours of 2026-07-01 (UTC).
void scoreAtNats(const QString &path, const NewEntry &entry, const std::vector<std::pair<int, std::string>> &flights)
{
    ContestJournal contest(path.toStdString());
    ClassRule classOne;
    classOne.caption = "Class I";
    contest.setContest({"Nats", "2026-07-01", "2026-07-02", {classOne}, {}});
    const std::int64_t id = contest.add(entry);
    FlightJournal recording(path.toStdString());
    std::time_t now = 0;
    recording.setClock([&] { return now; });
    for (const auto &[hour, score] : flights) {
        now = 1782864000 + hour * 3600;
        recording.nowFlying(id);
        recording.calculated(scored("Class I", score));
        recording.flightEnded();
    }
}

// Closes Class I of Nats at the hour of 2026-07-01 (UTC).
void closeClassOne(const QString &path, int hour)
{
    ContestJournal contest(path.toStdString());
    contest.setClock([hour] { return std::time_t(1782864000 + hour * 3600); });
    contest.setFinal("Class I", true);
}

// Whether Class I is final and since when, and the trail of the classes, in
// one line to compare two journals by.
QString closingsOf(const QString &path)
{
    const JournalReader reader(path.toStdString());
    QString said;
    for (const ClassRule &rule : reader.contest().classes)
        said += QString::fromStdString(rule.caption + (rule.final ? " final since " + rule.finalAt : " open"));
    for (const ClassChange &change : reader.classChanges())
        said += QString::fromStdString("; " + change.caption + " " + change.what + " " + change.changedAt);
    return said;
}

// The contest's combinations, in one line to compare two journals by.
QString combinationsOf(const QString &path)
{
    QStringList said;
    for (const Combination &combination : JournalReader(path.toStdString()).contest().combinations) {
        QStringList classes;
        for (const std::string &caption : combination.classes)
            classes << QString::fromStdString(caption);
        said << QString::fromStdString(combination.name) + QStringLiteral(": ") + classes.join(QStringLiteral(", "));
    }
    return said.join(QStringLiteral("; "));
}

// The scores of the flights in the order the flights window lists them.
QString scoresInOrder(const QString &path, const FlightOrder &order)
{
    const JournalReader reader(path.toStdString());
    const std::vector<FlightRow> flights =
        order.newestFirst() ? reader.flights({}, 0, 200) : reader.flights({}, order, 0, 200);
    QStringList scores;
    for (const FlightRow &flight : flights)
        scores << QString::fromStdString(flight.last.values.score);
    return scores.join(QLatin1Char(' '));
}

// The results of every class and combination, as the CSV the command writes.
QByteArray resultsOf(const QString &path, const QString &csv)
{
    const Run written = run({"--journal", path, "--results", csv});
    return written.status == 0 ? contentsOf(csv) : written.errors.toUtf8();
}

// The flights as CSV lines without the journal's own flight numbers, in no
// order: what two journals hold alike.
QStringList flightLines(const QString &path)
{
    QStringList lines;
    for (const QString &line : QString::fromStdString(flightsCsv(JournalReader(path.toStdString()).flights())).split('\n'))
        lines.append(line.section(QLatin1Char(','), 1));
    lines.sort();
    return lines;
}

} // namespace

// Another scoring table's journal merged in: what it adds, what was there,
// each conflict listed and left as this table has it; a merge that cannot
// be made changes nothing.
void CommandLineTest::tablesMerged_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("saying");
    QTest::addColumn<int>("flights"); // in this journal afterwards
    QTest::newRow("a day split across two tables") << "split" << 0 << "1 flight added and 0 there already" << 3;
    QTest::newRow("merged twice adds nothing the second time") << "twice" << 0 << "1 flight added" << 3;
    QTest::newRow("either way round, the same flights") << "both-ways" << 0 << "1 flight added" << 3;
    QTest::newRow("a change in the other table alone is taken") << "one-sided" << 0 << "1 of them changed" << 2;
    QTest::newRow("a flight changed in both tables is a conflict")
        << "two-sided" << 0 << "was changed in both tables; it stays as this table has it" << 2;
    QTest::newRow("one number with two names is a conflict")
        << "two-names" << 0
        << "Number 12 is Hal Ivers's in this table and Harold Ives's in the other; it stays Hal Ivers's, and Harold "
           "Ives is entered here without a number, with 1 flight: in the entry list, give Harold Ives a number, or "
           "merge the entry into Hal Ivers's if they are one contestant."
        << 3;
    const QString closedThere = QStringLiteral(
        "Class I in Nats was closed as final in the other table, at 2026-07-01 17:00 +00:00; it is final here too.");
    QTest::newRow("a class closed in the other table alone is closed here") << "closed-there" << 0 << closedThere << 3;
    QTest::newRow("a class closed before journals kept the trail is closed here")
        << "closed-without-trail" << 0 << closedThere << 3;
    QTest::newRow("a class closed, merged twice, is closed once") << "closed-twice" << 0 << closedThere << 3;
    QTest::newRow("a class closed, either way round, the same trail")
        << "closed-both-ways" << 0
        << "The flight of Hal Ivers recorded 2026-07-01 14:00 +00:00 arrives in Class I in Nats, which this table "
           "closed as final at 2026-07-01 17:00 +00:00; it was flown before the closing and counts, so the class's "
           "final results change."
        << 3;
    QTest::newRow("a flight recorded after a class closed here waits")
        << "closed-before" << 0 << "it was recorded after the closing and waits until the class is reopened." << 3;
    QTest::newRow("a class closed at different times in both tables is a conflict")
        << "closed-both" << 0
        << "Class I in Nats was closed and reopened differently in the two tables (in this table final, closed "
           "2026-07-01 17:00 +00:00; in the other final, closed 2026-07-01 18:00 +00:00); it stays as this table "
           "has it."
        << 3;
    // The combined standings of several classes come with the rules.
    QTest::newRow("a combination in the other table alone is brought") << "combined-there" << 0 << "1 flight added" << 3;
    QTest::newRow("a combination, either way round, the same results")
        << "combined-both-ways" << 0 << "1 flight added" << 3;
    QTest::newRow("a combination of other classes under one name is a conflict")
        << "combined-otherwise" << 0
        << "The combination Profile + Class I in Nats combines other classes in the two tables; this table's is kept."
        << 3;
    QTest::newRow("a combination under another name is a conflict")
        << "combined-renamed" << 0
        << "The combination Profile + Class I in Nats is named Class I and Profile in the other table; this table's "
           "name is kept."
        << 3;
    // A contest started on a fresh journal leaves no blank one beside it,
    // and an older journal's blank one is not brought.
    QTest::newRow("a contest started on a fresh journal") << "started-fresh" << 0 << "1 flight added" << 3;
    QTest::newRow("a contest never named nor used stays out")
        << "blank-there" << 0 << "0 contests added and 1 there already" << 3;
    QTest::newRow("a source on a read-only stick") << "read-only" << 0 << "1 flight added" << 3;
    QTest::newRow("a source being written meanwhile") << "being-written" << 0 << "1 flight added" << 3;
    QTest::newRow("this journal held by another program throughout")
        << "here-held" << 1
        << "another program holds it (code 5). Try again in a moment; if it stays held, close the other program that "
           "has the journal open. Nothing was merged."
        << 2;
    // SQLite's first finding, within the brackets, names a page that depends on the file's layout.
    const QString damagedSource = "), so nothing was merged; merge that table's backup instead, or make a fresh one "
                                  "on its laptop with \"Back up journal…\" and merge that.";
    QTest::newRow("a damaged source changes nothing") << "damaged" << 1 << damagedSource << 2;
    QTest::newRow("a source with pages overwritten in the middle") << "pages-zeroed" << 1 << damagedSource << 2;
    QTest::newRow("a source with its header overwritten")
        << "header-zeroed" << 1
        << "the file is damaged, or is no flight journal at all, so nothing was merged; merge that table's backup"
        << 2;
    QTest::newRow("an empty file as the source") << "empty" << 1 << "holds nothing yet" << 2;
    QTest::newRow("a folder as the source") << "folder" << 1 << "cannot be read: it is a folder." << 2;
    // Set up at each table on its own: the same name, the days typed otherwise at one.
    QTest::newRow("a contest of one name with days typed otherwise")
        << "days-otherwise" << 0
        << "Nats has the days 2026-07-01 to 2026-07-03 in the other table and 2026-07-01 to 2026-07-02 in this one; "
           "it keeps this table's."
        << 3;
    QTest::newRow("last year's contest of the same name is kept apart")
        << "last-year" << 0
        << "The other table's Nats, of 2025-07-01 to 2025-07-02, is added as Nats (2025-07-01 to 2025-07-02): this "
           "table's Nats is of 2026-07-01 to 2026-07-02."
        << 2;
    // The series: the one changed last is kept, whichever table changed it.
    QTest::newRow("a series of the other table alone is taken")
        << "series-there" << 0 << "The series \"Club series\" was taken from the other table, which alone had it." << 3;
    QTest::newRow("a series changed later in the other table is taken")
        << "series-later" << 0 << "The series \"Club series\" was taken from the other table, changed there later." << 3;
    QTest::newRow("a series changed later here stays") << "series-earlier-there" << 0 << "1 flight added" << 3;
}

void CommandLineTest::tablesMerged()
{
    QFETCH(QString, kind);
    QFETCH(int, status);
    QFETCH(QString, saying);
    QFETCH(int, flights);
    QTemporaryDir folder;
    const QString here = folder.filePath(QStringLiteral("here.sqlite"));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("stick")));
    const QString other = folder.filePath(QStringLiteral("stick/other.sqlite"));
    if (kind == "started-fresh") {
        const Run started = run({"--journal", here, "--new-contest", "Nats", "--first-day", "2026-07-01",
                                 "--last-day", "2026-07-02"});
        QCOMPARE(started.status, 0);
        QCOMPARE(run({"--journal", here, "--list-contests"}).output, QStringLiteral("Nats\t2026-07-01\t2026-07-02\t0\tcurrent\n"));
    }
    scoreAtNats(here, {"Hal Ivers", "12", {"Class I"}}, {{9, "150.0"}, {10, "151.0"}});
    if (kind == "one-sided" || kind == "two-sided") {
        QCOMPARE(backUpJournal(here.toStdString(), other.toStdString()), 2);
        const std::int64_t flight = JournalReader(here.toStdString()).flights().front().id;
        ContestJournal(other.toStdString()).setStatus(flight, FlightStatus::Void, "flown by a substitute");
        if (kind == "two-sided")
            ContestJournal(here.toStdString()).setStatus(flight, FlightStatus::Attempt, "line tangle");
    } else {
        // Spelt as here but for the name compared alike, and for the conflict.
        const char *name = kind == "two-names"                        ? "Harold Ives"
                           : kind.endsWith(QLatin1String("both-ways")) ? "Hal Ivers"
                                                                      : "hal  IVERS";
        scoreAtNats(other, {name, "12", {}}, {{14, "160.0"}});
    }
    if (kind == "days-otherwise" || kind == "last-year") {
        ContestSettings typed = JournalReader(other.toStdString()).contest();
        typed.firstDay = kind == "last-year" ? "2025-07-01" : "2026-07-01";
        typed.lastDay = kind == "last-year" ? "2025-07-02" : "2026-07-03";
        ContestJournal(other.toStdString()).setContest(typed);
    }
    const SeriesSettings theirs{"Club series", {}, {{"Class I", SeriesScheme::LowPoint, {"5", "3"}, SharedPlaces::HigherPoints}},
                                CountedContests::AllButWorst, 0, 1, 3, {{"B Okafor", "Bola Okafor", true}}};
    SeriesSettings ours = theirs;
    ours.rules.clear();
    ours.names.clear();
    if (kind.startsWith(QLatin1String("series"))) {
        ContestJournal there(other.toStdString());
        there.setClock([] { return std::time_t(1782900000); });
        there.setSeries(theirs);
        if (kind != "series-there") {
            ContestJournal atHere(here.toStdString());
            atHere.setClock([&] { return std::time_t(kind == "series-later" ? 1782800000 : 1783000000); });
            atHere.setSeries(ours);
        }
    }
    if (kind.startsWith(QLatin1String("combined"))) {
        ContestSettings combined = JournalReader(other.toStdString()).contest();
        combined.combinations = {{kind == "combined-renamed" ? "Class I and Profile" : "Profile + Class I",
                                  {"Profile", "Class I"}}};
        ContestJournal(other.toStdString()).setContest(combined);
        if (kind == "combined-otherwise" || kind == "combined-renamed") {
            combined = JournalReader(here.toStdString()).contest();
            combined.combinations = {{"Profile + Class I", {kind == "combined-renamed" ? "Class I" : "Class II", "Profile"}}};
            ContestJournal(here.toStdString()).setContest(combined);
        }
    } else if (kind == "blank-there") {
        sqlite3 *older = nullptr;
        QCOMPARE(sqlite().open_v2(other.toUtf8().constData(), &older, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const int done = sqlite().exec(older, "INSERT INTO contest (uuid) VALUES ('blank')", nullptr, nullptr, nullptr);
        sqlite().close_v2(older);
        QCOMPARE(done, SQLITE_OK);
    }
    const QString combinationsBefore = combinationsOf(here);
    if (kind == "closed-both-ways" || kind == "closed-both")
        closeClassOne(here, 17);
    else if (kind == "closed-before")
        closeClassOne(here, 12);
    if (kind == "closed-there" || kind == "closed-twice" || kind == "closed-without-trail")
        closeClassOne(other, 17);
    if (kind == "closed-without-trail") {
        sqlite3 *older = nullptr;
        QCOMPARE(sqlite().open_v2(other.toUtf8().constData(), &older, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const int done = sqlite().exec(older, "DELETE FROM class_change", nullptr, nullptr, nullptr);
        sqlite().close_v2(older);
        QCOMPARE(done, SQLITE_OK);
    }
    else if (kind == "closed-both")
        closeClassOne(other, 18);
    const QString closingsBefore = closingsOf(here);
    const QString copyOfHere = folder.filePath(QStringLiteral("copy-of-here.sqlite"));
    if (kind.endsWith(QLatin1String("both-ways")))
        QCOMPARE(backUpJournal(here.toStdString(), copyOfHere.toStdString()), 2);
    sqlite3 *writer = nullptr;
    if (kind == "read-only") {
        QVERIFY(QFile::setPermissions(other, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder.filePath(QStringLiteral("stick")), QFile::ReadOwner | QFile::ExeOwner));
    } else if (kind == "being-written" || kind == "here-held") {
        const QString held = kind == "here-held" ? here : other;
        QCOMPARE(sqlite().open_v2(held.toUtf8().constData(), &writer, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(sqlite().exec(writer, "BEGIN IMMEDIATE; UPDATE flight SET status = 'void'", nullptr, nullptr, nullptr),
                 SQLITE_OK);
    } else if (kind == "damaged") {
        const qint64 size = QFileInfo(other).size();
        QVERIFY(writeAt(other, 4096, QByteArray(static_cast<int>(size - 4096), '\xee')));
    } else if (kind == "pages-zeroed") {
        QVERIFY2(QFileInfo(other).size() >= 6 * 4096, "the other journal has pages past the ones overwritten");
        QVERIFY(writeAt(other, 2 * 4096, QByteArray(3 * 4096, '\0')));
    } else if (kind == "header-zeroed") {
        QVERIFY(writeAt(other, 0, QByteArray(4096, '\0')));
    } else if (kind == "empty") {
        QVERIFY(QFile::resize(other, 0));
    } else if (kind == "folder") {
        QVERIFY(QFile::remove(other) && QDir().mkdir(other));
    }
    const QByteArray hereBefore = contentsOf(here), otherBefore = contentsOf(other);
    const Run merged = run({"--journal", here, "--merge-journal", other});
    if (writer) {
        sqlite().exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite().close_v2(writer);
    }
    QFile::setPermissions(folder.filePath(QStringLiteral("stick")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(merged.status, status);
    QVERIFY2((status == 0 ? merged.output : merged.errors).contains(saying), qPrintable(merged.output + merged.errors));
    QVERIFY2(status == 0 || merged.errors.trimmed().count(QLatin1Char('\n')) == 0,
             qPrintable("a refused merge is said on one line: " + merged.errors));
    QVERIFY2(contentsOf(other) == otherBefore, "the other table's journal is only read");
    if (status != 0)
        QVERIFY2(contentsOf(here) == hereBefore, "a merge that fails changes nothing");
    const JournalReader reader(here.toStdString());
    QCOMPARE(reader.flightCount(), flights);
    QStringList contests;
    for (const SeasonContest &contest : reader.contests())
        contests << QString::fromStdString(contest.name);
    const QStringList expected = kind == "last-year" ? QStringList{"Nats", "Nats (2025-07-01 to 2025-07-02)"}
                                                     : QStringList{"Nats"};
    QCOMPARE(contests, expected);
    if (kind.startsWith(QLatin1String("series"))) {
        const std::vector<SeriesSettings> series = reader.series();
        QCOMPARE(series.size(), std::size_t(1));
        QVERIFY2(series.front() == (kind == "series-earlier-there" ? ours : theirs), "the series changed last is kept whole");
    }
    if (kind.endsWith(QLatin1String("twice"))) {
        const Run again = run({"--journal", here, "--merge-journal", other});
        QVERIFY2(again.output.contains(QLatin1String("0 flights added and 1 there already"))
                     && !again.output.contains(QLatin1String("closed as final")),
                 qPrintable(again.output + again.errors));
        QCOMPARE(JournalReader(here.toStdString()).flightCount(), flights);
    } else if (kind.endsWith(QLatin1String("both-ways"))) {
        const Run otherWay = run({"--journal", other, "--merge-journal", copyOfHere});
        QCOMPARE(otherWay.status, 0);
        QCOMPARE(flightLines(other), flightLines(here));
        QCOMPARE(closingsOf(other), closingsOf(here));
        QCOMPARE(combinationsOf(other), combinationsOf(here));
        // This table's own flight of 14:00 numbered before the merged ones of 09:00 and 10:00.
        QCOMPARE(scoresInOrder(other, {FlightSortKey::Time, true}), QStringLiteral("160.0 151.0 150.0"));
        QCOMPARE(scoresInOrder(other, {FlightSortKey::Time, false}), QStringLiteral("150.0 151.0 160.0"));
        QCOMPARE(resultsOf(other, folder.filePath(QStringLiteral("there.csv"))),
                 resultsOf(here, folder.filePath(QStringLiteral("here.csv"))));
    } else if (kind == "one-sided" || kind == "two-sided") {
        const FlightRow changed = reader.flights().front();
        QCOMPARE(changed.status, kind == "one-sided" ? FlightStatus::Void : FlightStatus::Attempt);
        QCOMPARE(reader.changes(changed.id).size(), std::size_t(1));
    } else if (kind == "split") {
        QCOMPARE(reader.entries().size(), std::size_t(1));
    } else if (kind == "last-year") {
        // A third table's own last year's Nats: the contest added apart before.
        const QString third = folder.filePath(QStringLiteral("third.sqlite"));
        scoreAtNats(third, {"Cy Fox", "31", {}}, {{15, "140.0"}});
        ContestSettings typed = JournalReader(third.toStdString()).contest();
        typed.firstDay = "2025-07-01";
        typed.lastDay = "2025-07-02";
        ContestJournal(third.toStdString()).setContest(typed);
        const Run fromThird = run({"--journal", here, "--merge-journal", third});
        QVERIFY2(fromThird.status == 0 && fromThird.output.contains(QLatin1String("0 contests added and 1 there")),
                 qPrintable(fromThird.output + fromThird.errors));
    } else if (kind == "two-names") {
        // The other table's Harold Ives, his flight with him; none of it Hal Ivers's.
        QStringList entries;
        for (const Entry &entry : reader.entries())
            entries << QString::fromStdString(entry.name + " " + entry.number + " " + std::to_string(entry.flights));
        QCOMPARE(entries, (QStringList{"Hal Ivers 12 2", "Harold Ives  1"}));
    }
    if (kind == "closed-there" || kind == "closed-without-trail" || kind.endsWith(QLatin1String("twice")))
        QCOMPARE(closingsOf(here), closingsOf(other));
    else if (kind == "closed-both")
        QCOMPARE(closingsOf(here), closingsBefore);
    if (kind == "combined-there")
        QCOMPARE(combinationsOf(here), QStringLiteral("Profile + Class I: Profile, Class I"));
    else if (kind == "combined-otherwise" || kind == "combined-renamed")
        QCOMPARE(combinationsOf(here), combinationsBefore);
}
