// The flight journal against files in a temporary folder, fed by the
// headless sheet: a flight and its history, and writers in other processes.
#include "contest_journal.h"
#include "database.h"
#include "flight_journal.h"
#include "headless_sheet.h"
#include "journal_reader.h"
#include "journal_schema.h"
#include "journal_test_support.h"
#include "journal_words.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <ctime>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;
using namespace journal_test;

class FlightJournalTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void flightAndItsHistory();
    void sheetReportsEachNewCalculation();
    void twoWritersLoseNothing();
    void killedWriterKeepsItsCalculation();
    void readerPreparesNoWrite_data();
    void readerPreparesNoWrite();
};

void FlightJournalTest::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
}

void FlightJournalTest::flightAndItsHistory()
{
    QTemporaryDir folder;
    const std::string path = text(journalIn(folder));
    {
        FlightJournal journal(path);
        QVERIFY2(journal.open(), journalSentence(journal.problem()).c_str());
        std::time_t now = 1796637600; // 2026-12-07 10:00 UTC
        journal.setClock([&] { return now; });
        journal.calculated(calculation("100.0"));
        journal.calculated(calculation("200.0"));
        journal.calculated(calculation("200.0")); // a press that changes nothing
        journal.calculated(calculation("100.0"));
        journal.flightEnded();
        now = 1796722200; // the next day
        CalculationRecord profile = calculation("50.0");
        profile.classCaption = "Profile";
        journal.calculated(profile);
        journal.flightEnded();
    }

    FlightJournal reopened(path);
    const JournalReader reader(path);
    const std::vector<FlightRow> flights = reader.flights();
    QCOMPARE(flights.size(), std::size_t(2));
    QCOMPARE(flights[0].last.values.classCaption, std::string("Profile"));
    QCOMPARE(flights[0].last.recordedAt, std::string("2026-12-08T09:30:00+00:00"));
    QCOMPARE(flights[1].calculationCount, 3);
    QVERIFY2(flights[1].last.values == calculation("100.0"), "a flight's score is its last calculation");

    const std::vector<StoredCalculation> history = reader.calculations(flights[1].id);
    QCOMPARE(history.size(), std::size_t(3));
    QVERIFY2(history[0].values == calculation("100.0") && history[1].values == calculation("200.0"),
             "the earlier calculations stay, every text as recorded");
    QCOMPARE(history[0].recordedAt, std::string("2026-12-07T10:00:00+00:00"));

    const std::string name = "O'Brien \"Bud\"; DELETE FROM flight; --";
    QVERIFY(reopened.setContestant(flights[1].id, name));
    QCOMPARE(JournalReader(path).flights()[1].contestant, name);

    QCOMPARE(reader.flights({"2026-12-07", ""}).size(), std::size_t(1));
    QCOMPARE(reader.flightCount({"2026-12-07", ""}), 1);
    QCOMPARE(reader.flightCount(), 2);
    const std::vector<FlightRow> secondPage = reader.flights({}, flights[0].id, 1);
    QVERIFY2(secondPage.size() == 1 && secondPage[0].id == flights[1].id, "a page holds the older flights");
    QCOMPARE(reader.flights({"", "Profile"}).front().id, flights[0].id);
    QVERIFY(reader.flights({"2026-12-08", "Class I"}).empty());
    QCOMPARE(reader.days(), std::vector<std::string>({"2026-12-08", "2026-12-07"}));

    // A flight recalculated after midnight is of the day of its last calculation alone.
    const std::string late = text(folder.filePath(QStringLiteral("late.sqlite")));
    {
        FlightJournal journal(late);
        std::time_t now = 1796774340; // 2026-12-08 23:59 UTC
        journal.setClock([&] { return now; });
        journal.calculated(calculation("100.0"));
        now += 120;
        journal.calculated(calculation("110.0"));
    }
    const JournalReader lateReader(late);
    QCOMPARE(lateReader.days(), std::vector<std::string>({"2026-12-09"}));
    QVERIFY(lateReader.flights({"2026-12-08", ""}).empty());
    QCOMPARE(lateReader.flights({"2026-12-09", ""}).size(), std::size_t(1));

    // Among contests, each lists the days of its own flights alone, by the
    // day of their last calculation: one holding most of the journal's
    // flights and one holding few are read in two ways.
    {
        ContestJournal director(late);
        director.startContest({"Winter Meet", "2026-12-20", "2026-12-21"});
        FlightJournal journal(late);
        std::time_t now = 1797760800; // 2026-12-20 10:00 UTC
        journal.setClock([&] { return now; });
        journal.calculated(calculation("120.0"));
        journal.flightEnded();
        now += 24 * 3600;
        journal.calculated(calculation("130.0"));
    }
    JournalReader season(late);
    QVERIFY2(season.days() == std::vector<std::string>({"2026-12-21", "2026-12-20"}),
             "the current contest lists the days of its own flights");
    season.chooseContest(season.contests().front().id);
    QVERIFY2(season.days() == std::vector<std::string>({"2026-12-09"}),
             "a contest of few of the journal's flights lists its own days, each flight's last");
}

void FlightJournalTest::sheetReportsEachNewCalculation()
{
    QTemporaryDir folder;
    FlightJournal journal(text(journalIn(folder)));
    HeadlessSheet sheet;
    sheet.rules().setObserver(&journal);
    sheet.start();
    sheet.type(orlo::ctl::HS_Watch(0), "12.3");
    sheet.tab();
    sheet.click(orlo::ctl::Command2);
    sheet.click(orlo::ctl::Command2);
    const std::string firstScore = sheet.text(orlo::ctl::Score);
    sheet.setText(orlo::ctl::LandingPts, "95");
    sheet.click(orlo::ctl::Command2);
    sheet.click(orlo::ctl::Command3);
    sheet.click(orlo::ctl::Command2); // an untouched sheet: no flight
    sheet.type(orlo::ctl::HS_Watch(0), "13.1");
    sheet.tab();
    sheet.click(orlo::ctl::Command2);

    const JournalReader reader(journal.path());
    const std::vector<FlightRow> flights = reader.flights();
    QCOMPARE(flights.size(), std::size_t(2));
    QCOMPARE(flights[1].calculationCount, 2);
    const std::vector<StoredCalculation> history = reader.calculations(flights[1].id);
    QCOMPARE(history.front().values.score, firstScore);
    QCOMPARE(history.back().values.landingPoints, std::string("95"));
    QCOMPARE(flights[0].last.values.summary, sheet.items(orlo::ctl::Summary));
}

void FlightJournalTest::twoWritersLoseNothing()
{
    QTemporaryDir folder;
    const std::string path = text(journalIn(folder));
    {
        // Two sheets in one program, pressing in turn.
        FlightJournal first(path);
        FlightJournal second(path);
        first.calculated(calculation("1.0"));
        second.calculated(calculation("1.0"));
        first.calculated(calculation("2.0"));
        second.calculated(calculation("2.0"));
        QCOMPARE(JournalReader(first.path()).flights().size(), std::size_t(2));
    }

    // Two programs creating a new journal at once, each scoring its flights
    // as fast as it can.
    const std::string created = text(folder.filePath(QStringLiteral("orlo-score/created.sqlite")));
    constexpr int flightsEach = 40;
    pid_t children[2];
    for (pid_t &child : children) {
        child = fork();
        QVERIFY2(child >= 0, "fork");
        if (child == 0) {
            alarm(childWatchdogSeconds);
            FlightJournal journal(created);
            for (int flight = 0; flight < flightsEach; ++flight) {
                journal.calculated(calculation(std::to_string(flight)));
                journal.flightEnded();
            }
            const int lost = journal.finish();
            if (lost != 0 || !journal.isWorking())
                std::fprintf(stderr, "lost %d: %s\n", lost, journalSentence(journal.problem()).c_str());
            _exit(lost == 0 && journal.isWorking() ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        const int status = reap(child);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "each writer recorded every flight");
    }
    QCOMPARE(JournalReader(created).flights().size(), std::size_t(2 * flightsEach));
}

void FlightJournalTest::killedWriterKeepsItsCalculation()
{
    QTemporaryDir folder;
    const std::string path = text(journalIn(folder));
    int recorded[2];
    QVERIFY(pipe(recorded) == 0);
    const pid_t child = fork();
    QVERIFY2(child >= 0, "fork");
    if (child == 0) {
        alarm(childWatchdogSeconds);
        close(recorded[0]);
        FlightJournal journal(path);
        journal.calculated(calculation("280.8"));
        (void)!write(recorded[1], "x", 1);
        pause();
        _exit(0);
    }
    close(recorded[1]);
    char signal = 0;
    const bool told = read(recorded[0], &signal, 1) == 1;
    close(recorded[0]);
    reap(child, true);
    QVERIFY2(told, "the writer returned from its calculation");

    const std::vector<FlightRow> flights = JournalReader(path).flights();
    QCOMPARE(flights.size(), std::size_t(1));
    QCOMPARE(flights[0].last.values.score, std::string("280.8"));
}

// A reader's connection refuses a statement that would write as it is
// prepared, before anything reaches the file.
void FlightJournalTest::readerPreparesNoWrite_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("refused");
    QTest::newRow("a query") << "SELECT count(*) FROM flight" << false;
    QTest::newRow("a pragma that reads") << "PRAGMA user_version" << false;
    QTest::newRow("a row removed") << "DELETE FROM flight" << true;
    QTest::newRow("a pragma that writes") << "PRAGMA user_version = 1" << true;
}

void FlightJournalTest::readerPreparesNoWrite()
{
    QFETCH(QString, sql);
    QFETCH(bool, refused);
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("journal.sqlite")).toStdString();
    FlightJournal journal(path);
    journal.calculated(calculation("100.0"));
    JournalNotice notice;
    const ReadOnlyDatabase db(openJournal(path, Access::Read, notice));
    bool prepared = false;
    try {
        Statement statement(db, sql.toStdString());
        prepared = true;
        statement.run();
    } catch (const DatabaseError &error) {
        QVERIFY2(error.kind() == ErrorKind::ReadOnly, error.what());
    }
    QVERIFY2(prepared != refused, qPrintable(sql));
    QCOMPARE(JournalReader(path).flightCount(), 1);
}

QTEST_APPLESS_MAIN(FlightJournalTest)
#include "flight_journal_test.moc"
