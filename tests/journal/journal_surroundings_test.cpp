// What happens around the journal while a contest is scored: another
// program writing or reading it, the file moved, removed or its descriptor
// closed in the recording program, a full disk.
#include "command_line_support.h"
#include "contest_journal.h"
#include "faulty_vfs.h"
#include "flight_journal.h"
#include "journal_reader.h"
#include "journal_files.h"
#include "journal_merge.h"
#include "journal_schema.h"
#include "journal_test_support.h"
#include "journal_words.h"
#include "sqlite_library.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;
using namespace journal_test;

class JournalSurroundingsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exitWaitsOutAnotherWriter();
    void entryListChangeGoesToTheJournalAtItsName();
    void journalTakenAway_data();
    void journalTakenAway();
};

void JournalSurroundingsTest::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
}

// Exit with the calculations of several flights waiting while another
// program writes in short turns: each write waits out the other's turn, the
// ones after a flight's end as the first, and every calculation whose press
// returned is in the file.
void JournalSurroundingsTest::exitWaitsOutAnotherWriter()
{
    const faulty_vfs::Installed shim;
    QTemporaryDir folder;
    const std::string path = text(journalIn(folder));
    int lost = -1;
    {
        FlightJournal journal(path);
        QVERIFY2(journal.open(), journalSentence(journal.problem()).c_str());
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite().open_v2(path.c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(sqlite().exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        for (int flight = 0; flight < 3; ++flight) {
            journal.calculated(calculation(std::to_string(flight) + ".1"));
            journal.calculated(calculation(std::to_string(flight) + ".2"));
            journal.flightEnded();
        }
        QCOMPARE(journal.waitingCalculations(), 6);
        QCOMPARE(sqlite().exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite().close_v2(other);
        faulty_vfs::arm(faulty_vfs::Operation::Busy, 1);
        lost = journal.finish();
        QVERIFY2(faulty_vfs::fired(), "the other program's turns met the writes");
        faulty_vfs::disarm();
    }
    QCOMPARE(lost, 0);
    const std::vector<FlightRow> flights = JournalReader(path).flights();
    QCOMPARE(flights.size(), std::size_t(3));
    for (const FlightRow &flight : flights)
        QCOMPARE(flight.calculationCount, 2);
}

// The journal moved away while the entry list's connection stays open: the
// next change goes into the journal at its name, where every reader looks,
// not into the moved file.
void JournalSurroundingsTest::entryListChangeGoesToTheJournalAtItsName()
{
    QTemporaryDir folder;
    const std::string path = text(journalIn(folder));
    ContestJournal contest(path);
    contest.add({"Hal Ivers", "12", {"Class I"}});
    for (const char *file : {"", "-wal", "-shm"})
        QVERIFY2(std::rename((path + file).c_str(), (path + ".moved" + file).c_str()) == 0, "the journal was not moved");
    contest.add({"Ken Lo", "17", {"Class I"}});
    std::vector<std::string> names;
    for (const Entry &entry : JournalReader(path).entries())
        names.push_back(entry.name);
    QVERIFY2(names == std::vector<std::string>{"Ken Lo"}, "the change went into the moved journal");
}

namespace {

// The journal read by another program, as the official would export it.
int flightsExported(const QString &journal, const QString &csv)
{
    const command_line_test::Run run = command_line_test::run({"--journal", journal, "--export-journal", csv});
    const QRegularExpressionMatch said = QRegularExpression(QStringLiteral("Exported (\\d+) flight")).match(run.output);
    return run.status == 0 && said.hasMatch() ? said.captured(1).toInt() : -1;
}

bool wholeJournal(const std::string &path)
{
    sqlite3 *db = nullptr;
    std::string answer;
    if (sqlite().open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK)
        sqlite().exec(db, "PRAGMA integrity_check", [](void *out, int, char **values, char **) {
            *static_cast<std::string *>(out) += values[0] ? values[0] : "";
            return 0;
        }, &answer, nullptr);
    sqlite().close_v2(db);
    return answer == "ok";
}

} // namespace

void JournalSurroundingsTest::journalTakenAway_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("saying"); // in the sentence told; nothing told when empty
    // A file dialog sniffing the journal closes a descriptor of it in the
    // recording program, which drops that program's locks on it.
    QTest::newRow("descriptor-closed-then-another-program-reads") << "descriptor-closed" << "";
    QTest::newRow("journal-moved-mid-contest") << "moved" << "was moved to";
    // The next flight keeps its contestant and its contest in the new
    // journal at the name, and merging the moved one back makes one contest.
    QTest::newRow("journal-folder-renamed-mid-contest")
        << "folder-renamed" << "with Nats as it was (its rules, combinations and entry list), and the contestant now flying";
    QTest::newRow("journal-removed-mid-contest") << "removed" << "is written back to";
    QTest::newRow("disk-full-mid-contest") << "full" << "cannot be written: the disk is full";
    QTest::newRow("disk-full-at-first-opening") << "full-at-opening" << "cannot be written: the disk is full";
}

// What happens around the journal while a contest is scored: every
// calculation whose press returned is found afterwards, in the journal at
// its name or where it was moved, every file is whole, another program
// reading meanwhile sees the latest flight and removes nothing, and the
// official is told what happened.
void JournalSurroundingsTest::journalTakenAway()
{
    QFETCH(QString, event);
    QFETCH(QString, saying);
    QTemporaryDir folder;
    const QString journalName = journalIn(folder);
    const std::string path = text(journalName);
    const std::string moved = event == "folder-renamed" ? text(folder.filePath(QStringLiteral("renamed/journal.sqlite")))
                                                        : text(folder.filePath(QStringLiteral("stick.sqlite")));
    // The contest under way, its contestants named as they fly.
    ContestSettings nats{"Nats", "2026-07-01", "2026-07-02", {}, {{"Profile + Class I", {"Profile", "Class I"}}}};
    nats.classes.emplace_back().caption = "Class I";
    std::int64_t hal = 0;
    std::string uuid;
    if (!event.startsWith(QLatin1String("full"))) {
        ContestJournal contest(path);
        contest.setContest(nats);
        contest.setFinal("Class I", true);
        contest.setFinal("Class I", false);
        hal = contest.add({"Hal Ivers", "12", {"Class I"}});
        contest.add({"Ken Lo", "17", {"Profile"}});
        uuid = JournalReader(path).contests().front().uuid;
    }
    std::optional<faulty_vfs::Installed> shim;
    if (event.startsWith(QLatin1String("full")))
        shim.emplace();
    std::vector<std::string> told;
    {
        FlightJournal journal(path);
        journal.setProblemHandler([&](const JournalNotice &notice) { told.push_back(journalSentence(notice)); });
        if (event == "full-at-opening")
            faulty_vfs::arm(faulty_vfs::Operation::Full, 1);
        journal.calculated(calculation("1.0"));
        journal.flightEnded();
        journal.calculated(calculation("2.0"));
        if (event == "descriptor-closed") {
            const JournalFiles before = journalFilesAt(path);
            const int descriptor = ::open(path.c_str(), O_RDONLY);
            QVERIFY2(descriptor >= 0, "the journal opens");
            ::close(descriptor);
            QCOMPARE(flightsExported(journalName, folder.filePath(QStringLiteral("first.csv"))), 2);
            const JournalFiles after = journalFilesAt(path);
            QVERIFY2(after.log.sameFile(before.log) && after.index.sameFile(before.index),
                     "another program's read removed the log or its index");
        } else if (event == "moved") {
            QVERIFY(QFile::rename(journalName, QString::fromStdString(moved)));
        } else if (event == "folder-renamed") {
            QVERIFY(QDir(folder.path()).rename(QFileInfo(journalName).path(), QStringLiteral("renamed")));
        } else if (event == "removed") {
            QVERIFY(QFile::remove(journalName));
        } else if (event == "full") {
            faulty_vfs::arm(faulty_vfs::Operation::Full, 1);
        }
        journal.nowFlying(hal);
        journal.calculated(calculation("3.0"));
        if (event.startsWith(QLatin1String("full"))) {
            QVERIFY2(journal.waitingCalculations() > 0, "the full disk took a calculation");
            faulty_vfs::disarm();
            journal.writeWaiting();
        }
        if (event == "descriptor-closed")
            QCOMPARE(flightsExported(journalName, folder.filePath(QStringLiteral("second.csv"))), 3);
        journal.calculated(calculation("4.0"));
        QCOMPARE(journal.finish(), 0);
    }

    QStringList found;
    for (const std::string &file : {path, moved}) {
        if (!QFile::exists(QString::fromStdString(file)))
            continue;
        // Reading needs no room: the disk is still full.
        if (shim)
            faulty_vfs::arm(faulty_vfs::Operation::Full, 1);
        std::string failedRead;
        try {
            const JournalReader reader(file);
            for (const FlightRow &flight : reader.flights())
                for (const StoredCalculation &stored : reader.calculations(flight.id))
                    found << QString::fromStdString(stored.values.score);
        } catch (const JournalProblem &problem) {
            failedRead = problem.what();
        }
        faulty_vfs::disarm();
        QVERIFY2(failedRead.empty(), failedRead.c_str());
        QVERIFY2(wholeJournal(file), file.c_str());
    }
    found.sort();
    QCOMPARE(found, (QStringList{"1.0", "2.0", "3.0", "4.0"}));
    if (event == "moved" || event == "folder-renamed")
        QCOMPARE(JournalReader(moved).flightCount(), 2);
    QStringList sentences;
    for (const std::string &sentence : told)
        sentences << QString::fromStdString(sentence);
    if (saying.isEmpty())
        QVERIFY2(told.empty(), qPrintable(sentences.join('\n')));
    else
        QVERIFY2(sentences.join('\n').contains(saying) && !sentences.join('\n').contains(QLatin1String("another program")),
                 qPrintable(sentences.join('\n')));
    if (event == "moved" || event == "folder-renamed")
        QVERIFY2(sentences.join('\n').contains(QString::fromStdString(moved)), "the official is told where the flights are");
    if (uuid.empty())
        return;
    // Wherever the flights went, the journal at the name holds the contest
    // as it was and the last flight under its contestant.
    const JournalReader atName(path);
    QCOMPARE(atName.contests().size(), std::size_t(1));
    QVERIFY2(atName.contests().front().uuid == uuid, "the journal at the name is another contest");
    ContestSettings kept = atName.contest();
    QCOMPARE(kept.name, nats.name);
    QCOMPARE(kept.combinations, nats.combinations);
    QCOMPARE(kept.classes.size(), std::size_t(1));
    QCOMPARE(atName.classChanges().size(), std::size_t(2));
    QStringList entries;
    for (const Entry &entry : atName.entries())
        entries << QString::fromStdString(entry.name + " " + entry.number);
    QCOMPARE(entries, (QStringList{"Hal Ivers 12", "Ken Lo 17"}));
    const FlightRow last = atName.flights().front();
    QCOMPARE(last.last.values.score, std::string("4.0"));
    QCOMPARE(last.contestant, std::string("Hal Ivers"));
    if (event != "moved" && event != "folder-renamed")
        return;
    const MergeReport merged = mergeJournal(path, moved);
    QVERIFY2(merged.contestsThere == 1 && merged.contestsAdded == 0 && merged.conflicts.empty(),
             merged.conflicts.empty() ? "the moved journal's contest is another" : merged.conflicts.front().c_str());
    QCOMPARE(JournalReader(path).flightCount(), 3);
}

QTEST_APPLESS_MAIN(JournalSurroundingsTest)
#include "journal_surroundings_test.moc"
