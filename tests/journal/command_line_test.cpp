#include "contest_journal.h"
#include "flight_journal.h"
#include "journal_reader.h"
#include "flights_csv.h"
#include "command_line_test.h"
#include "sqlite_library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;
using namespace command_line_test;

void CommandLineTest::initTestCase()
{
    qputenv("TZ", "UTC");
    m_journal = m_folder.filePath(QStringLiteral("journal.sqlite"));
    FlightJournal journal(m_journal.toStdString());
    std::time_t now = 1796637600; // 2026-12-07 10:00 UTC
    journal.setClock([&] { return now; });
    journal.calculated(scored("Class I", "280.8"));
    journal.flightEnded();
    now += 24 * 60 * 60;
    journal.calculated(scored("Profile", "=1+1"));
    QVERIFY(journal.setContestant(JournalReader(journal.path()).flights().front().id, "Lee, Ann"));
}

void CommandLineTest::versionAndHelp()
{
    const Run version = run({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.output, QStringLiteral("Orlo_Score " ORLO_SHOWN_VERSION "\n"));

    const Run help = run({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    for (const char *option : {"--journal <file>", "--no-journal", "--journal-window", "--export-journal <file>",
                               "--day <YYYY-MM-DD>", "--backup-journal <file>", "--import-entries <file.csv>",
                               "--results <file>", "--class <caption>", "--version", "--help"})
        QVERIFY2(help.output.contains(QLatin1String(option)), option);
    // Every separator a registration file's classes cell may hold is named.
    QVERIFY2(help.output.simplified().contains(QLatin1String("separated by /, |, ; or a comma")), qPrintable(help.output));
}

void CommandLineTest::wrongCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("saying");
    const QString csv = QStringLiteral("export.csv");
    QTest::newRow("unknown-option") << QStringList{"--colour"} << 2 << "Unknown option 'colour'.";
    QTest::newRow("day-not-a-date") << QStringList{"--export-journal", csv, "--day", "2026-12-32"} << 2 << "2026-12-32";
    QTest::newRow("day-in-another-order") << QStringList{"--export-journal", csv, "--day", "08.12.2026"} << 2
                                          << "YYYY-MM-DD";
    QTest::newRow("export-into-missing-folder") << QStringList{"--export-journal", "no-such-folder/export.csv"} << 1
                                                << "Nothing was written";
    QTest::newRow("export-without-journal")
        << QStringList{"--export-journal", csv, "--journal", "no-such.sqlite"} << 1 << "no flight journal";
    QTest::newRow("memory-journal-refused") << QStringList{"--export-journal", csv, "--journal", ":memory:"} << 1
                                            << "in memory only";
    QTest::newRow("uri-journal-refused") << QStringList{"--export-journal", csv, "--journal", "file:journal.db"} << 1
                                         << "URI";
    QTest::newRow("import-with-export") << QStringList{"--import-entries", "entries.csv", "--export-journal", csv}
                                        << 2 << "given one at a time";
    QTest::newRow("import-without-journal") << QStringList{"--import-entries", "entries.csv", "--no-journal"} << 2
                                            << "--no-journal goes with none";
    QTest::newRow("import-of-missing-file") << QStringList{"--import-entries", "missing.csv"} << 1
                                            << "Cannot read the registration file";
    QTest::newRow("import-of-a-folder") << QStringList{"--import-entries", "/"} << 1
                                        << "Cannot read the registration file /: it is a folder.";
    QTest::newRow("import-of-the-journal-itself") << QStringList{"--import-entries", "journal-itself"} << 1
                                                  << "that is the flight journal itself. Nothing was imported.";
    QTest::newRow("results-of-an-unknown-class") << QStringList{"--results", "results.csv", "--class", "Class IX"} << 1
                                                 << "no flight and no entry in the class \"Class IX\"";
    QTest::newRow("results-into-missing-folder") << QStringList{"--results", "no-such-folder/results.csv"} << 1
                                                 << "No such file or directory. Nothing was written.";
    QTest::newRow("results-in-an-unknown-format") << QStringList{"--results", "results.txt"} << 2 << "one of .csv";
    QTest::newRow("class-without-results") << QStringList{"--class", "Class I"} << 2 << "--class goes with --results";
    QTest::newRow("device-journal-refused") << QStringList{"--export-journal", csv, "--journal", "/dev/zero"} << 1
                                            << "not a plain file";
    QTest::newRow("serve-not-a-port") << QStringList{"--serve", "eighty"} << 2 << "--serve takes a port";
    QTest::newRow("serve-port-too-high") << QStringList{"--serve", "70000"} << 2 << "not '70000'";
    QTest::newRow("serve-no-such-address") << QStringList{"--serve", "300.1.1.1:8080"} << 2 << "--serve takes a port";
    QTest::newRow("serve-without-journal") << QStringList{"--serve", "8080", "--no-journal"} << 2
                                           << "--no-journal goes with none";
    QTest::newRow("serve-with-results") << QStringList{"--serve", "8080", "--results", "results.csv"} << 2
                                        << "given one at a time";
    QTest::newRow("serve-without-a-journal-file")
        << QStringList{"--serve", "127.0.0.1:0", "--journal", "no-such.sqlite"} << 1 << "no-such.sqlite";
    addWrongSeasonCommandLines();
}

void CommandLineTest::wrongCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, saying);
    QTemporaryDir folder;
    for (QString &argument : arguments) {
        if (argument.endsWith(QStringLiteral(".csv")) || argument.endsWith(QStringLiteral(".sqlite"))
            || argument.endsWith(QStringLiteral(".txt")))
            argument = folder.filePath(argument);
    }
    if (!arguments.contains(QStringLiteral("--journal")))
        arguments << QStringLiteral("--journal") << m_journal;
    arguments.replaceInStrings(QStringLiteral("journal-itself"), m_journal);

    const Run wrong = run(arguments);
    QCOMPARE(wrong.status, status);
    QVERIFY2(wrong.errors.count('\n') == 1 && wrong.errors.contains(saying), qPrintable(wrong.errors));
    QVERIFY2(QDir(folder.path()).isEmpty(), "nothing is written");
}

void CommandLineTest::exportOfOneDay()
{
    QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("day.csv"));
    const Run exported = run({"--journal", m_journal, "--export-journal", csv, "--day", "2026-12-08"});
    QCOMPARE(exported.status, 0);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::vector<FlightRow> day = JournalReader(m_journal.toStdString()).flights({"2026-12-08", ""});
    QCOMPARE(day.size(), std::size_t(1));
    QCOMPARE(file.readAll().toStdString(), flightsCsv(day));
}

// SQLite is loaded when the journal is first used: a library that cannot be
// loaded fails the export in one line naming it, as a journal that cannot be
// opened does.
void CommandLineTest::exportWithoutSqlite()
{
    QTemporaryDir folder;
    QFile notALibrary(folder.filePath(QStringLiteral("libsqlite3.so.0")));
    QVERIFY(notALibrary.open(QIODevice::WriteOnly));
    notALibrary.close();
    const QString csv = folder.filePath(QStringLiteral("flights.csv"));
    const Run exported = run({"--journal", m_journal, "--export-journal", csv}, folder.path());
    QCOMPARE(exported.status, 1);
    QVERIFY2(exported.errors.count('\n') == 1 && exported.errors.contains(QLatin1String("libsqlite3.so.0")),
             qPrintable(exported.errors));
    QVERIFY2(!QFile::exists(csv), "nothing is written");
}

// Reading a journal writes nothing into it nor beside it: a journal that
// cannot be read, or is none, is told in one line with status 1 and no file
// written; one that can is exported whole, and the export says how much.
void CommandLineTest::journalLeftAsItWas_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("saying");
    QTest::newRow("damaged-header") << "damaged-header" << "out.csv" << 1
                                    << "journal.sqlite cannot be read: file is not a database (code 26). Nothing "
                                       "was written.";
    QTest::newRow("truncated") << "truncated" << "out.csv" << 1 << "cannot be read";
    QTest::newRow("unreadable-pages") << "unreadable-pages" << "out.csv" << 1 << "cannot be read";
    QTest::newRow("export-onto-its-journal") << "journal" << "journal.sqlite" << 1 << "the flight journal itself";
    QTest::newRow("backup-onto-its-journal") << "journal" << "backup:journal.sqlite" << 1
                                             << "journal.sqlite: that is the journal itself. Nothing was written.";
    QTest::newRow("export-while-another-program-writes") << "locked" << "out.csv" << 0 << "Exported 2 flights";
    QTest::newRow("another-programs-database")
        << "foreign" << "out.csv" << 1
        << "journal.sqlite is not an Orlo Score flight journal but another program's database; it is left as it "
           "is. Nothing was written.";
    QTest::newRow("later-versions-journal") << "later-version" << "out.csv" << 1
                                            << "journal.sqlite was written by a later version of Orlo Score; it is "
                                               "left as it is. Nothing was written.";
    QTest::newRow("journal-never-written")
        << "never-written" << "out.csv" << 1
        << "journal.sqlite holds nothing yet: it was never written, or it was copied while Orlo Score was writing "
           "it, without its -wal file. Nothing was written.";
    QTest::newRow("older-journal-carried-forward") << "first-version" << "out.csv" << 0 << "Exported 6 flights";
    QTest::newRow("read-only-journal") << "read-only" << "out.csv" << 0 << "Exported 2 flights";
    // Copied to a read-only stick after a kill: the last flight, a void
    // flight and a late entry are in its log alone.
    // Another user reads the owner's journal in a folder both may write.
    QTest::newRow("read-by-another-user") << "another-user" << "out.csv" << 0 << "Exported 2 flights";
    QTest::newRow("read-only-journal-with-its-log-without-index") << "log-without-index" << "out.csv" << 0
                                                                << "Exported 16 flights";
    // The same, its files not writable, read by an ordinary user: SQLite
    // needs the log's index beside the private copy it reads.
    QTest::newRow("read-only-log-without-index-exported-by-another-user")
        << "log-without-index-another-user" << "out.csv" << 0 << "Exported 16 flights";
    QTest::newRow("read-only-log-without-index-backed-up-by-another-user")
        << "log-without-index-another-user" << "backup:backup.sqlite" << 0 << "Backed up the journal, 16 flights";
    QTest::newRow("read-only-log-without-index-results-by-another-user")
        << "log-without-index-another-user" << "results:results.html" << 0 << "Wrote the results";
    QTest::newRow("day-without-export") << "journal" << "day-alone" << 2 << "--day goes with --export-journal";
}

void CommandLineTest::journalLeftAsItWas()
{
    QFETCH(QString, kind);
    QFETCH(QString, output);
    QFETCH(int, status);
    QFETCH(QString, saying);
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("journal.sqlite"));
    // The first version's layout is that of the journal kept as a fixture, without the application id.
    QVERIFY(QFile::copy(kind == "first-version"
                            ? QStringLiteral(ORLO_JOURNAL_FIXTURES "/journal_before_entries.sqlite") : m_journal,
                        journal));
    QVERIFY(QFile::setPermissions(journal, QFile::ReadOwner | QFile::WriteOwner));
    const qint64 size = QFileInfo(journal).size();
    sqlite3 *other = nullptr;
    if (kind == "damaged-header") {
        QVERIFY(writeAt(journal, 0, QByteArray(100, 'x')));
    } else if (kind == "truncated") {
        QVERIFY(QFile::resize(journal, size * 6 / 10));
    } else if (kind == "unreadable-pages") {
        QVERIFY(writeAt(journal, 4096, QByteArray(static_cast<int>(size - 4096), '\xee')));
    } else if (kind == "never-written") {
        QVERIFY(QFile::resize(journal, 0));
    } else if (kind == "locked" || kind == "foreign" || kind == "first-version" || kind == "later-version") {
        QCOMPARE(sqlite().open_v2(journal.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const char *sql = kind == "locked"  ? "BEGIN IMMEDIATE; INSERT INTO flight DEFAULT VALUES"
                          : kind == "foreign" ? "PRAGMA application_id = 1"
                          : kind == "later-version" ? "PRAGMA user_version = 99"
                                              : "PRAGMA application_id = 0; PRAGMA user_version = 1;"
                                                "UPDATE calculation SET summary = summary || char(10) || "
                                                "' 20.0 Multiple Engine Bonus' WHERE class_caption = 'Profile'";
        QCOMPARE(sqlite().exec(other, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    } else if (kind == "read-only") {
        QVERIFY(QFile::setPermissions(journal, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    } else if (kind == "another-user") {
        if (geteuid() != 0)
            QSKIP("only the superuser's tests can read as another user");
        QVERIFY(QFile::setPermissions(journal, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777)));
    } else if (kind == "log-without-index") {
        QVERIFY(recordIntoLogAndKill(journal));
        QVERIFY(QFile::remove(journal + "-shm"));
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    } else if (kind == "log-without-index-another-user") {
        if (geteuid() != 0)
            QSKIP("only the superuser's tests can read as another user");
        QVERIFY(recordIntoLogAndKill(journal));
        QVERIFY(QFile::remove(journal + "-shm"));
        for (const QString &file : {journal, journal + "-wal"})
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777)));
    }
    if (kind != "locked" && other) {
        sqlite().close_v2(other);
        other = nullptr;
    }
    const QByteArray before = contentsOf(journal);
    const QByteArray logBefore = contentsOf(journal + "-wal");
    QStringList arguments{QStringLiteral("--journal"), journal};
    if (output == "day-alone")
        arguments << QStringLiteral("--day") << QStringLiteral("2026-12-08");
    else if (output.startsWith(QStringLiteral("backup:")))
        arguments << QStringLiteral("--backup-journal") << folder.filePath(output.mid(7));
    else if (output.startsWith(QStringLiteral("results:")))
        arguments << QStringLiteral("--results") << folder.filePath(output.mid(8));
    else
        arguments << QStringLiteral("--export-journal") << folder.filePath(output);

    const Run exported = run(arguments, {}, {}, kind.endsWith(QLatin1String("another-user")));
    if (other) {
        sqlite().exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite().close_v2(other);
    }
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(exported.status, status);
    const QString said = status == 0 ? exported.output : exported.errors;
    QVERIFY2(said.count('\n') == 1 && said.contains(saying), qPrintable(said));
    QStringList expected{QStringLiteral("journal.sqlite")};
    if (kind.startsWith(QLatin1String("log-without-index")))
        expected << QStringLiteral("journal.sqlite-wal");
    if (status == 0)
        expected << output.section(QLatin1Char(':'), -1);
    expected.sort();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name), expected);
    if (kind == "first-version") {
        QVERIFY2(contentsOf(journal) != before && exported.errors.contains(QLatin1String("carried forward")),
                 "an older journal is carried forward where it can be written, and the official told");
        const std::vector<FlightRow> flights = JournalReader(journal.toStdString()).flights();
        QCOMPARE(flights.size(), std::size_t(6));
        for (const FlightRow &flight : flights) {
            const bool profile = flight.last.values.classCaption == "Profile";
            QVERIFY2(flight.last.values.engineBonus == (profile ? "20.0" : ""),
                     "each carried flight's engine bonus is taken from its summary");
        }
    } else {
        QVERIFY2(contentsOf(journal) == before && contentsOf(journal + "-wal") == logBefore,
                 "the journal is left exactly as it was");
    }
    if (kind.startsWith(QLatin1String("log-without-index"))) {
        const JournalReader reader(journal.toStdString());
        int voided = 0;
        for (const FlightRow &flight : reader.flights())
            voided += flight.status == contest::FlightStatus::Void ? 1 : 0;
        QCOMPARE(voided, 1);
        QCOMPARE(reader.entries().size(), std::size_t(2));
    }
}

// A copy of the journal file alone, taken while a program records into it,
// holds every flight that had ended; a backup holds every calculation.
void CommandLineTest::copiesTakenWhileRecording()
{
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("journal.sqlite"));
    int recorded[2];
    QVERIFY(pipe(recorded) == 0);
    const pid_t child = fork();
    QVERIFY2(child >= 0, "fork");
    if (child == 0) {
        alarm(60);
        ::close(recorded[0]);
        FlightJournal recording(journal.toStdString());
        recording.calculated(scored("Class I", "280.8"));
        recording.flightEnded();
        recording.calculated(scored("Profile", "200.0"));
        (void)!write(recorded[1], "x", 1);
        pause();
        _exit(0);
    }
    ::close(recorded[1]);
    char signal = 0;
    const bool told = read(recorded[0], &signal, 1) == 1;
    ::close(recorded[0]);
    const QString copy = folder.filePath(QStringLiteral("copy.sqlite"));
    const bool copied = told && QFile::copy(journal, copy);
    const Run backup = run({"--journal", journal, "--backup-journal", folder.filePath(QStringLiteral("backup.sqlite"))});
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    QVERIFY2(copied, "the recording program did not record");

    const Run fromCopy = run({"--journal", copy, "--export-journal", folder.filePath(QStringLiteral("copy.csv"))});
    QCOMPARE(fromCopy.status, 0);
    QVERIFY2(fromCopy.output.contains(QLatin1String("Exported 1 flight ")), qPrintable(fromCopy.output));
    QCOMPARE(backup.status, 0);
    QVERIFY2(backup.output.contains(QLatin1String("2 flights")), qPrintable(backup.output + backup.errors));
    QCOMPARE(JournalReader(folder.filePath(QStringLiteral("backup.sqlite")).toStdString()).flightCount(), 2);
}

// The registration file imported without a window: all of it, or nothing
// and a line for each bad row; a second import adds nobody twice.
void CommandLineTest::registrationImported_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("saying");
    QTest::addColumn<int>("entries");
    QTest::newRow("semicolons, a contestant already named on a flight")
        << QByteArray("Name;Number;Classes\r\nLEE, ANN;4;Profile\r\nBo Dee;5;Class I|Class II\r\n") << 0
        << "Added 1 entry to the entry list of " << 2;
    QTest::newRow("lone CR line ends")
        << QByteArray("Name,Number\rBo Dee,5\rCy Fox,6\r") << 0 << "Added 2 entries to the entry list of " << 3;
    QTest::newRow("german headings: the columns left out said")
        << QByteArray("Klassen;Name;Verein;Startnummer\nProfil;Jörg Maier;MFC Ulm;7\n") << 0
        << "Names from Name, no numbers, no classes. Klassen, Verein, Startnummer were not imported.\n" << 2;
    QTest::newRow("a listed contestant's classes changed, each change said")
        << QByteArray("Name,Classes\n\"Lee, Ann\",Class I|Profile\n") << 0
        << "1 was on it already, their classes now:\n  Lee, Ann: Class I and Profile added.\n" << 1;
    QTest::newRow("a per-event file, CRLF: a pilot's rows one entry")
        << QByteArray("Event,Last Name,First Name,AMA #,Email,Paid\r\nNavy Carrier Class I,Núñez,José,12345,j@x.org,Yes\r\n"
                      "Profile Navy Carrier,Núñez,José,12345,j@x.org,Yes\r\nNavy Carrier Class II,Cho,Ann,,a@x.org,No\r\n")
        << 0 << "Added 2 entries to the entry list of " << 3;
    QTest::newRow("bad rows told, nobody added")
        << QByteArray("Name,Number\nBo Dee,5\n,6\nCy Fox,5\n") << 1
        << "Nothing was imported from %1:\n  line 3: no name.\n  line 4: number 5 is Bo Dee's on line 2 already" << 1;
}

void CommandLineTest::registrationImported()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, saying);
    QFETCH(int, entries);
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("journal.sqlite"));
    const QString csv = folder.filePath(QStringLiteral("entries.csv"));
    QVERIFY(QFile::copy(m_journal, journal));
    QVERIFY(QFile::setPermissions(journal, QFile::ReadOwner | QFile::WriteOwner));
    QFile written(csv);
    QVERIFY(written.open(QIODevice::WriteOnly) && written.write(file) == file.size());
    written.close();

    const Run imported = run({"--journal", journal, "--import-entries", csv});
    QCOMPARE(imported.status, status);
    const QString said = status == 0 ? imported.output : imported.errors;
    QVERIFY2(said.contains(saying.contains(QLatin1String("%1")) ? saying.arg(csv) : saying), qPrintable(said));
    QCOMPARE(JournalReader(journal.toStdString()).entries().size(), std::size_t(entries));
    if (status != 0)
        return;
    const Run again = run({"--journal", journal, "--import-entries", csv});
    QVERIFY2(again.status == 0 && again.output.contains(QLatin1String("Added 0 entries")), qPrintable(again.output));
    QCOMPARE(JournalReader(journal.toStdString()).entries().size(), std::size_t(entries));
}

QTEST_GUILESS_MAIN(CommandLineTest)

#include "moc_command_line_test.cpp"
