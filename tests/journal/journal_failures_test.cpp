// The flight journal when its file fails it: files it must refuse or move
// aside, a lock held by another program, every read, write and sync of a
// flight failing in turn, and a director's change to a journal that may be
// read but not written.
#include "contest_journal.h"
#include "faulty_vfs.h"
#include "flight_journal.h"
#include "journal_reader.h"
#include "journal_schema.h"
#include "journal_test_support.h"
#include "journal_words.h"
#include "sqlite_library.h"

#include <QRegularExpression>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <vector>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;
using namespace journal_test;

class JournalFailuresTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void badFile_data();
    void badFile();
    void lockedFileWaits();
    void faultSweep();
    void readOnlyChangeRefused_data();
    void readOnlyChangeRefused();
};

void JournalFailuresTest::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
}

void JournalFailuresTest::badFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("working");
    QTest::newRow("folder-is-a-file") << "folder-is-a-file" << false;
    QTest::newRow("read-only-folder") << "read-only-folder" << false;
    QTest::newRow("not-a-database-moved-aside") << "not-a-database" << true;
    QTest::newRow("newer-schema-left-untouched") << "newer-schema" << false;
    QTest::newRow("another-programs-database-left-untouched") << "foreign" << false;
    QTest::newRow("pipe-refused") << "pipe" << false;
    QTest::newRow("memory-name-refused") << "memory" << false;
    QTest::newRow("uri-name-refused") << "uri" << false;
    QTest::newRow("log-without-journal-kept-aside") << "log-alone" << true;
}

void JournalFailuresTest::badFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, working);
    QTemporaryDir folder;
    QString path = journalIn(folder);
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("orlo-score"))));
    const QByteArray garbage = "Flight,Score\r\n1,280.8\r\n" + QByteArray(4096, 'x');
    if (kind == "folder-is-a-file") {
        QFile file(folder.filePath(QStringLiteral("plain")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
        path = folder.filePath(QStringLiteral("plain/journal.sqlite"));
    } else if (kind == "read-only-folder") {
        if (geteuid() == 0)
            QSKIP("the superuser writes into a read-only folder");
        QFile::setPermissions(folder.filePath(QStringLiteral("orlo-score")), QFile::ReadOwner | QFile::ExeOwner);
    } else if (kind == "not-a-database") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
    } else if (kind == "newer-schema") {
        FlightJournal(text(path)).calculated(calculation("1.0"));
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite().open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(sqlite().exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite().close_v2(db);
    } else if (kind == "foreign") {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite().open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                  nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite().exec(db, "CREATE TABLE flight (id INTEGER PRIMARY KEY)", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite().close_v2(db);
    } else if (kind == "pipe") {
        QVERIFY(mkfifo(path.toUtf8().constData(), 0600) == 0);
    } else if (kind == "memory") {
        path = QStringLiteral(":memory:");
    } else if (kind == "uri") {
        path = QStringLiteral("file:") + path;
    } else if (kind == "log-alone") {
        // A journal recorded into while it was copied: its log holds a flight.
        const QString elsewhere = folder.filePath(QStringLiteral("elsewhere.sqlite"));
        pid_t child = fork();
        QVERIFY2(child >= 0, "fork");
        if (child == 0) {
            alarm(childWatchdogSeconds);
            FlightJournal journal(text(elsewhere));
            journal.calculated(calculation("280.8"));
            QFile::copy(elsewhere + "-wal", path + "-wal");
            _exit(0); // without closing: the log stays
        }
        reap(child);
        QVERIFY(QFile::exists(path + "-wal"));
    }
    const QByteArray before = kind == "pipe" ? QByteArray() : contentsOf(path); // a pipe would wait for a writer
    const QByteArray logBefore = contentsOf(path + "-wal");
    const QStringList filesBefore = QDir(folder.filePath(QStringLiteral("orlo-score"))).entryList(QDir::Files);

    std::vector<std::string> told;
    {
        FlightJournal journal(text(path));
        journal.setProblemHandler([&](const JournalNotice &notice) { told.push_back(journalSentence(notice)); });
        journal.calculated(calculation("10.0"));
        journal.flightEnded();
        journal.calculated(calculation("20.0"));
        QCOMPARE(journal.isWorking(), working);
        // A journal that cannot be read is never read as one without flights.
        if (working)
            QCOMPARE(JournalReader(journal.path()).flights().size(), std::size_t(2));
        else
            QVERIFY_THROWS_EXCEPTION(JournalProblem, JournalReader(journal.path()).flights());
    }
    QCOMPARE(told.size(), std::size_t(1));
    QVERIFY2(told[0].find(text(path)) != std::string::npos, told[0].c_str());

    if (kind == "not-a-database") {
        const QStringList kept = QDir(folder.filePath(QStringLiteral("orlo-score")))
                                     .entryList({QStringLiteral("journal.sqlite.damaged-*")});
        QCOMPARE(kept.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^journal\\.sqlite\\.damaged-\\d{4}-\\d\\d-\\d\\dT\\d{6}$"))
                     .match(kept[0]).hasMatch(),
                 qPrintable(kept[0]));
        QCOMPARE(contentsOf(folder.filePath(QStringLiteral("orlo-score/") + kept[0])), garbage);
    } else if (kind == "newer-schema" || kind == "foreign") {
        QVERIFY2(contentsOf(path) == before, "a later version's or another program's file is left as it was");
        QCOMPARE(QDir(folder.filePath(QStringLiteral("orlo-score"))).entryList(QDir::Files), filesBefore);
    } else if (kind == "uri" || kind == "memory") {
        QVERIFY2(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                     == QStringList{QStringLiteral("orlo-score")},
                 "nothing is created");
    } else if (kind == "log-alone") {
        const QStringList kept = QDir(folder.filePath(QStringLiteral("orlo-score")))
                                     .entryList({QStringLiteral("journal.sqlite-wal.without-journal-*")});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(contentsOf(folder.filePath(QStringLiteral("orlo-score/") + kept[0])), logBefore);
    }
}

// Another program holding the write lock: each press returns, its
// calculation waits in memory, and all are written in order once the lock
// is gone, without a word for so short a lock.
void JournalFailuresTest::lockedFileWaits()
{
    QTemporaryDir folder;
    const std::string path = text(journalIn(folder));
    FlightJournal journal(path);
    std::vector<std::string> told;
    journal.setProblemHandler([&](const JournalNotice &notice) { told.push_back(journalSentence(notice)); });
    journal.calculated(calculation("1.0"));

    sqlite3 *other = nullptr;
    QCOMPARE(sqlite().open_v2(path.c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    QCOMPARE(sqlite().exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    journal.calculated(calculation("2.0"));
    journal.flightEnded();
    journal.calculated(calculation("3.0"));
    QCOMPARE(journal.waitingCalculations(), 2);
    journal.writeWaiting();
    QCOMPARE(journal.waitingCalculations(), 2);
    QCOMPARE(sqlite().exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite().close_v2(other);

    journal.writeWaiting();
    QCOMPARE(journal.waitingCalculations(), 0);
    QVERIFY2(told.empty(), told.empty() ? "" : told[0].c_str());
    const std::vector<FlightRow> flights = JournalReader(journal.path()).flights();
    QCOMPARE(flights.size(), std::size_t(2));
    QCOMPARE(flights[0].last.values.score, std::string("3.0"));
    QCOMPARE(flights[1].calculationCount, 2);
    QCOMPARE(flights[1].last.values.score, std::string("2.0"));
}

// For every N, a whole flight with the Nth read, write, sync or lock of the
// journal's files failing: each calculation whose press returned is in the
// file afterwards, once; a calculation not on disk when its press returned
// was told to the official (a lock only after a few seconds); and a read
// that meets a failure says so instead of answering fewer flights.
void JournalFailuresTest::faultSweep()
{
    using faulty_vfs::Operation;
    constexpr int pressesPerFlight = 4;
    const faulty_vfs::Installed shim;
    int runs = 0;
    int checked = 0;
    int lost = 0;
    int silent = 0;
    int failedReads = 0;
    int waited = 0; // presses that returned with their calculation waiting
    for (const Operation operation : {Operation::Read, Operation::Write, Operation::Sync, Operation::Lock}) {
        for (int failing = 1;; ++failing) {
            QTemporaryDir folder;
            const std::string path = text(journalIn(folder));
            bool fired = false;
            {
                FlightJournal journal(path);
                std::vector<std::string> told;
                journal.setProblemHandler([&](const JournalNotice &notice) { told.push_back(journalSentence(notice)); });
                QVERIFY2(journal.open(), journalSentence(journal.problem()).c_str());
                faulty_vfs::arm(operation, failing);
                for (int press = 0; press < pressesPerFlight; ++press) {
                    journal.calculated(calculation(std::to_string(press)));
                    waited += journal.waitingCalculations() > 0 ? 1 : 0;
                    if (journal.waitingCalculations() > 0 && told.empty() && operation != Operation::Lock)
                        ++silent;
                }
                journal.flightEnded();
                fired = faulty_vfs::fired();
                faulty_vfs::disarm();
                QCOMPARE(journal.finish(), 0);
            }
            if (!fired)
                break; // N beyond the flight's operations of this kind
            ++runs;

            const JournalReader reader(path);
            const std::vector<FlightRow> flights = reader.flights();
            std::vector<StoredCalculation> kept = flights.size() == 1 ? reader.calculations(flights[0].id)
                                                                       : std::vector<StoredCalculation>{};
            for (int press = 0; press < pressesPerFlight; ++press) {
                ++checked;
                const bool there = static_cast<std::size_t>(press) < kept.size()
                    && kept[static_cast<std::size_t>(press)].values == calculation(std::to_string(press));
                lost += there ? 0 : 1;
            }
            QVERIFY2(kept.size() == pressesPerFlight, qPrintable(QStringLiteral("%1 calculations kept at N = %2")
                                                                      .arg(kept.size()).arg(failing)));
        }
    }

    // A journal of one flight read with its Nth read failing.
    QTemporaryDir folder;
    const std::string path = text(journalIn(folder));
    {
        FlightJournal journal(path);
        for (int press = 0; press < pressesPerFlight; ++press)
            journal.calculated(calculation(std::to_string(press)));
    }
    for (int failing = 1;; ++failing) {
        const JournalReader reader(path);
        faulty_vfs::arm(Operation::Read, failing);
        try {
            const std::vector<FlightRow> flights = reader.flights();
            const std::size_t count = flights.empty() ? 0 : reader.calculations(flights[0].id).size();
            silent += flights.size() == 1 && count == pressesPerFlight ? 0 : 1;
        } catch (const JournalProblem &) {
            ++failedReads;
        }
        const bool fired = faulty_vfs::fired();
        faulty_vfs::disarm();
        if (!fired)
            break;
        ++runs;
    }
    qInfo("fault sweep: %d values of N, %d calculations checked, %d lost, %d silent; %d presses returned with "
          "their calculation waiting; %d reads failed and said so",
          runs, checked, lost, silent, waited, failedReads);
    QCOMPARE(lost, 0);
    QCOMPARE(silent, 0);
    QVERIFY2(runs > 20, "the sweep should cover the flight's every operation");
}

void JournalFailuresTest::readOnlyChangeRefused_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<QString>("fault"); // read-only; full: writable, no room left; held: another program writes
    QTest::newRow("flight-corrected-in-a-read-only-file") << "correction" << true << "read-only";
    QTest::newRow("entry-added-in-a-read-only-folder") << "entry" << false << "read-only";
    QTest::newRow("contest-settings-changed-in-a-read-only-file") << "settings" << true << "read-only";
    QTest::newRow("entries-imported-in-a-read-only-folder") << "import" << false << "read-only";
    QTest::newRow("entries-imported-on-a-full-disk") << "import" << true << "full";
    QTest::newRow("contest-settings-changed-on-a-full-disk") << "settings" << true << "full";
    QTest::newRow("entry-added-while-another-program-writes") << "entry" << true << "held";
}

// A journal on a write-protected stick or copied without write permission,
// or on a disk with no room left: the flights window's correction, the entry
// list, the contest's settings and the command line's import are refused in
// the program's words, naming the file and what to do, never in SQLite's.
void JournalFailuresTest::readOnlyChangeRefused()
{
    QFETCH(QString, change);
    QFETCH(bool, folderWritable);
    QFETCH(QString, fault);
    const bool diskFull = fault == QLatin1String("full");
    const bool held = fault == QLatin1String("held");
    QTemporaryDir folder;
    const QString path = journalIn(folder);
    std::int64_t flight = 0;
    {
        FlightJournal journal(text(path));
        journal.calculated(calculation("10.0"));
        journal.flightEnded();
        flight = JournalReader(journal.path()).flights().front().id;
    }
    const auto permit = [](const QString &name, mode_t mode) { return chmod(QFile::encodeName(name), mode) == 0; };
    const QString journalFolder = QFileInfo(path).path();
    QVERIFY(permit(folder.path(), 0755) && permit(journalFolder, folderWritable ? 0777 : 0555)
            && permit(path, diskFull || held ? 0644 : 0444));
    sqlite3 *writer = nullptr;
    const auto release = qScopeGuard([&writer] {
        sqlite().exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite().close_v2(writer);
    });
    if (held) {
        QCOMPARE(sqlite().open_v2(QFile::encodeName(path).constData(), &writer, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite().exec(writer, "BEGIN IMMEDIATE; UPDATE flight SET status = status", nullptr, nullptr, nullptr),
                 SQLITE_OK);
    }
    const auto restore = qScopeGuard([&] { permit(journalFolder, 0755); });
    int words[2];
    QVERIFY(pipe(words) == 0);
    const pid_t child = fork();
    QVERIFY2(child >= 0, "fork");
    if (child == 0) {
        alarm(childWatchdogSeconds);
        // The superuser writes whatever the permissions say: the director is another user.
        if (!diskFull && !held && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        std::string said = "the change was made";
        std::optional<faulty_vfs::Installed> shim;
        if (diskFull) {
            shim.emplace();
            faulty_vfs::arm(faulty_vfs::Operation::Full, 1);
        }
        try {
            ContestJournal contest(text(path));
            ContestSettings settings;
            settings.name = "Spring Carrier Meet";
            if (change == "correction")
                contest.setStatus(flight, FlightStatus::Attempt, "no low-speed signal");
            else if (change == "entry")
                contest.add({"Bo Ward", "4", {"Class I"}});
            else if (change == "settings")
                contest.setContest(settings);
            else
                contest.importEntries({{2, {"Cy Fox", "21", {"Class I"}}}});
        } catch (const std::exception &refused) {
            said = journalSentence(refused);
        }
        _exit(write(words[1], said.data(), said.size()) == ssize_t(said.size()) ? 0 : 3);
    }
    close(words[1]);
    std::string said;
    char buffer[512];
    for (ssize_t got; (got = read(words[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, std::size_t(got));
    close(words[0]);
    const int status = reap(child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
        QSKIP("the superuser cannot become another user here");
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, qPrintable(QStringLiteral("status %1").arg(status)));
    const std::vector<std::string> parts =
        diskFull ? std::vector<std::string>{text(path), "the disk it is on is full (code ",
                                            "Make room on that disk, or copy the journal to a disk with room"}
        : held   ? std::vector<std::string>{text(path), "cannot be changed: another program holds it (code 5",
                                            "Try again in a moment"}
                 : std::vector<std::string>{text(path), "cannot be changed: it is read-only",
                                            "Copy the journal to a folder you may write in"};
    for (const std::string &part : parts)
        QVERIFY2(said.find(part) != std::string::npos, said.c_str());
    for (const char *sqlites : {"readonly", "database or disk is full", "disk I/O error", "database is locked"})
        QVERIFY2(said.find(sqlites) == std::string::npos, said.c_str());
}

QTEST_APPLESS_MAIN(JournalFailuresTest)
#include "journal_failures_test.moc"
