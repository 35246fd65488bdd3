#include "command_line_support.h"
#include "contest_journal.h"
#include "flight_journal.h"
#include "journal_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <tuple>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;
using namespace command_line_test;

// The contest's results and the flights for a spreadsheet, written by the
// built program without a window.
class ResultsCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "UTC"); }
    void resultsWritten_data();
    void resultsWritten();
};

namespace {

// What a power cut after the program ended would lose of the file at path,
// from the program's record of syncs and renames (sync_recorder.cpp); empty
// when the file would be there, whole.
QString lostAtPowerCut(const QString &path, const QString &record)
{
    struct stat file {};
    struct stat folder {};
    if (stat(QFile::encodeName(path).constData(), &file) != 0
        || stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &folder) != 0)
        return QStringLiteral("%1 is not there at all.").arg(path);
    const QString inode = QStringLiteral("%1 %2").arg(file.st_dev).arg(file.st_ino);
    const QString synced = QStringLiteral("file %1 %2 %3.%4")
                               .arg(inode)
                               .arg(file.st_size)
                               .arg(file.st_mtim.tv_sec)
                               .arg(file.st_mtim.tv_nsec, 9, 10, QLatin1Char('0'));
    const QString renamed = QStringLiteral("rename %1 %2 %3").arg(inode).arg(folder.st_dev).arg(folder.st_ino);
    const QString folderSynced = QStringLiteral("folder %1 %2").arg(folder.st_dev).arg(folder.st_ino);
    const QStringList lines = record.split(QLatin1Char('\n'));
    const qsizetype rename = lines.lastIndexOf(renamed);
    if (rename < 0)
        return QStringLiteral("%1 was never renamed into place; a cut could leave part of it.\n%2").arg(path, record);
    if (!lines.mid(0, rename).contains(synced))
        return QStringLiteral("%1 was not synced whole before it took its name; a cut could leave it partial.\n%2")
            .arg(path, record);
    if (!lines.mid(rename + 1).contains(folderSynced))
        return QStringLiteral("the folder of %1 was not synced after the rename; a cut could lose the file.\n%2")
            .arg(path, record);
    return {};
}

} // namespace

// The contest's results written without a window, read back as a
// spreadsheet would: CSV lines, and in XLSX numbers stored as numbers and
// times as dates (a cell with a value and no t="s" or t="str"). A file said
// written outlives a power cut at any later moment: its bytes were synced,
// it was renamed into place and then its folder was synced.
void ResultsCommandTest::resultsWritten_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("saying");
    QTest::addColumn<QStringList>("found"); // patterns in the file, or in an XLSX's first sheet

    const auto line = [](const QString &text) { return QRegularExpression::escape(text); };
    // Each class says where its rounds stand: Dee Ho and Ed Fry are still to fly their first.
    const auto provisional = [](const char *rounds) {
        return QStringLiteral(",\"provisional, as of 20\\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d \\+00:00%1\"")
            .arg(*rounds ? QStringLiteral("; ") + QLatin1String(rounds) : QString());
    };
    const QString firstRound = provisional("Round 1 of 2: 1 still to fly");
    QTest::newRow("csv-of-every-class")
        << QStringList{"--results", "results.csv"} << 0 << "Wrote the results of 3 classes, 5 contestants' lines"
        << QStringList{"^" + line("Class,Place,Contestant,Number,Score,Attempts,Flight 1,Flight 2,Counted flights,"
                                  "HS points,LS points,Engine bonus,Scale points,Landing points,Standing,"
                                  "Classes lacking,Class I score,Profile score\r\n"),
                       line("\nClass I,1,\"Lee, Ann\",4,312.5,0,300.0,312.5,2,,,,,") + firstRound + ",,,\r\n",
                       line("\nClass I,att,Cy Fox,,,1,,,,,,,,") + firstRound + ",,,\r\n",
                       line("\nClass I,,Dee Ho,7,,0,,,,,,,,") + firstRound + ",,,\r\n",
                       line("\nProfile,1,Bo Ward,,150.0,0,150.0,,1,,,,,")
                           + provisional("Round 2 of 2: 1 still to fly") + ",,,\r\n",
                       line("\nSkyray Carrier,,Ed Fry,8,,0,,,,,,,,") + firstRound + ",,,\r\n",
                       // A combination's row carries each class's part of its score, and
                       // its state as a class's does.
                       line("\nClass I + Profile,,\"Lee, Ann\",4,312.5,,,,,,,,,") + provisional("") + ",Profile,312.5,\r\n",
                       line("\nClass I + Profile,,Bo Ward,,150.0,,,,,,,,,") + provisional("") + ",Class I,,150.0\r\n$"};
    QTest::newRow("xlsx-numbers-as-numbers")
        << QStringList{"--results", "results.xlsx"} << 0 << "Wrote the results of 3 classes"
        << QStringList{"<c r=\"E2\" s=\"\\d+\"><v>312.5</v></c>", "<c r=\"B2\" s=\"\\d+\"><v>1</v></c>",
                       // the combinations' parts, a class's own column each
                       "<c r=\"Q7\" s=\"\\d+\"><v>312.5</v></c>", "<c r=\"R8\" s=\"\\d+\"><v>150</v></c>"};
    // The PDF lays its text out in fonts, without a display all the same.
    QTest::newRow("pdf-without-a-display") << QStringList{"--results", "results.pdf"} << 0
                                           << "Wrote the results of 3 classes" << QStringList{"^%PDF-1\\.\\d"};
    QTest::newRow("html-one-page") << QStringList{"--results", "results.html"} << 0 << "Wrote the results of 3 classes"
                                   << QStringList{"<style>", line("<td>1</td><td>Lee, Ann</td><td>4</td>"),
                                                  line(". Round 1 of 2: 1 still to fly</b>")};
    // The call list in the results' formats: every pilot in the order called, the
    // unnamed flight nobody's; read back from the PDF's text as a pit board shows it.
    QTest::newRow("call-list-csv")
        << QStringList{"--call-list", "calls.csv"} << 0 << "Wrote the call list, 10 calls in 2 rounds"
        << QStringList{"^" + line("Round,Order,Contestant,Number,Class,Flight,Flown\r\n"),
                       line("\nRound 1,1,\"Lee, Ann\",4,Class I,1,yes\r\n"),
                       line("\nRound 1,3,Dee Ho,7,Class I,1,no\r\n"),
                       line("\nRound 2,1,\"Lee, Ann\",4,Class I,2,yes\r\n"),
                       line("\nRound 2,2,Cy Fox,,Class I,2,no\r\n")};
    QTest::newRow("call-list-of-a-class-and-round")
        << QStringList{"--call-list", "calls.csv", "--class", "skyray carrier", "--round", "2"} << 0
        << "Wrote the call list, 1 call in 1 round" << QStringList{line("\nRound 2,1,Ed Fry,8,Skyray Carrier,2,no\r\n")};
    QTest::newRow("call-list-pdf") << QStringList{"--call-list", "calls.pdf", "--round", "1"} << 0
                                   << "Wrote the call list, 5 calls in 1 round"
                                   << QStringList{"^%PDF-1\\.\\d", "pdftotext:Round 1", "pdftotext:3\\s+Dee Ho\\s+7\\s+Class I\\s+1"};
    QTest::newRow("flights-export-xlsx")
        << QStringList{"--export-journal", "flights.xlsx"} << 0 << "Exported 5 flights"
        << QStringList{"<c r=\"U5\" s=\"\\d+\"><v>312.5</v></c>", "<c r=\"D2\" s=\"\\d+\"><v>[4-9]\\d{4}\\.\\d+</v></c>",
                       "<c r=\"K2\" s=\"\\d+\"><v>72.01333"};
    QTest::newRow("flights-export-csv") << QStringList{"--export-journal", "flights.csv"} << 0 << "Exported 5 flights"
                                        << QStringList{"^Flight,"};
    QTest::newRow("journal-backup") << QStringList{"--backup-journal", "backup.sqlite"} << 0
                                    << "Backed up the journal, 5 flights" << QStringList{"^SQLite format 3"};
    QTest::newRow("no-flights") << QStringList{"--results", "results.csv", "--class", "Skyray Carrier"} << 0
                                << "No flights in that class yet" << QStringList{",No flights recorded.,\r\n"};
    // A combination's name given as a class: its table alone, each class's part in it.
    QTest::newRow("combination-named-as-class")
        << QStringList{"--results", "results.csv", "--class", "Class I + Profile"} << 0
        << "Wrote the results of 1 combination, 2 contestants' lines"
        << QStringList{line("\nClass I + Profile,,\"Lee, Ann\",4,312.5,"), line("\nClass I + Profile,,Bo Ward,,150.0,")};
    QTest::newRow("class-and-combination-typed-in-lower-case")
        << QStringList{"--results", "results.csv", "--class", "class  i", "--class", "class i + profile"} << 0
        << "Wrote the results of 1 class, 3 contestants' lines"
        << QStringList{line("\nClass I,1,\"Lee, Ann\",4,312.5,"), line("\nClass I + Profile,,Bo Ward,,150.0,")};
    QTest::newRow("through-a-link") << QStringList{"--results", "link.csv"} << 0 << "Wrote the results of 3 classes"
                                    << QStringList{line("\nClass I,1,\"Lee, Ann\",4,312.5,")};
    QTest::newRow("onto-a-folder") << QStringList{"--results", "taken.csv"} << 1 << "that is a folder"
                                   << QStringList();
    QTest::newRow("flights-onto-the-journal's-log-not-there-now")
        << QStringList{"--export-journal", "journal.sqlite-wal"} << 1 << "that is the flight journal itself"
        << QStringList();
    QTest::newRow("backup-onto-the-journal's-index-not-there-now")
        << QStringList{"--backup-journal", "journal.sqlite-shm"} << 1 << "that is the journal itself" << QStringList();
    QTest::newRow("onto-a-pipe") << QStringList{"--results", "pipe.csv"} << 1
                                 << "that is not a plain file but a device or a pipe. Nothing was written."
                                 << QStringList();
    QTest::newRow("flights-onto-a-pipe") << QStringList{"--export-journal", "pipe.csv"} << 1
                                         << "that is not a plain file but a device or a pipe" << QStringList();
    QTest::newRow("backup-onto-a-pipe") << QStringList{"--backup-journal", "pipe.csv"} << 1
                                        << "that is not a plain file but a device or a pipe" << QStringList();
}

void ResultsCommandTest::resultsWritten()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, saying);
    QFETCH(QStringList, found);
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("journal.sqlite"));
    {
        // Two flights of Ann Lee's, Bo Ward's in another class, an attempt,
        // one entered who has not flown and one in a class nobody flew.
        FlightJournal flights(journal.toStdString());
        for (const auto &[caption, score, name] : {std::tuple{"Class I", "300.0", "Lee, Ann"},
                                                   {"Class I", "312.5", "Lee, Ann"}, {"Profile", "150.0", "Bo Ward"},
                                                   {"Class I", "0", "Cy Fox"}, {"Class I", "290.0", ""}}) {
            flights.calculated(scored(caption, score));
            QVERIFY(flights.setContestant(JournalReader(flights.path()).flights().front().id, name));
            flights.flightEnded();
        }
        ContestJournal contest(journal.toStdString());
        contest.setStatus(JournalReader(flights.path()).flights()[1].id, FlightStatus::Attempt, "no low-speed signal");
        for (const Entry &entry : JournalReader(journal.toStdString()).entries())
            if (entry.name == "Lee, Ann")
                contest.setNumber(entry.id, "4");
        contest.add({"Dee Ho", "7", {"Class I"}});
        contest.add({"Ed Fry", "8", {"Skyray Carrier"}});
        ContestSettings settings;
        settings.combinations.push_back({"Class I + Profile", {"Class I", "Profile"}});
        contest.setContest(settings);
    }
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken.csv")));
    QVERIFY(mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe.csv"))).constData(), 0600) == 0);
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("shared")));
    QVERIFY(QFile::link(QStringLiteral("shared/results.csv"), folder.filePath(QStringLiteral("link.csv"))));
    const QString written = folder.filePath(arguments[1]);
    arguments[1] = written;
    const bool throughLink = QFileInfo(written).isSymLink();
    QProcessEnvironment recording;
    const QString syncs = folder.filePath(QStringLiteral("syncs.log"));
    recording.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(ORLO_SYNC_RECORDER));
    recording.insert(QStringLiteral("ORLO_SYNC_LOG"), syncs);
    recording.insert(QStringLiteral("ASAN_OPTIONS"),
                     qEnvironmentVariable("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
    // What writes killed before left beside the file, and what is not theirs.
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    QVERIFY2(gone > 0, "fork");
    waitpid(gone, nullptr, 0);
    const QString stale = written + ".part-" + QString::number(gone);
    const QStringList leftByKills{stale, stale + "-journal"};
    const QStringList notLeftByKills{written + ".part-" + QString::number(getpid()), written + ".partial",
                                     stale + "-notes"};
    if (!throughLink && !QFileInfo(written).exists())
        for (const QString &part : leftByKills + notLeftByKills)
            QVERIFY(writeAt(part, 0, "part"));
    const Run wrote = run(QStringList{"--journal", journal} + arguments, {}, recording);
    QCOMPARE(wrote.status, status);
    QVERIFY2((status == 0 ? wrote.output : wrote.errors).contains(saying), qPrintable(wrote.output + wrote.errors));
    QVERIFY2(!wrote.errors.contains(QStringLiteral("QStandardPaths")), "Qt's notes stay off the command's error line");
    if (status != 0) {
        QVERIFY2(!QFileInfo(written).isFile(), "a refused write leaves what was there as it was");
        return;
    }

    QVERIFY2(QFileInfo(written).isSymLink() == throughLink, "a file written through a link keeps the link");
    for (const QString &part : leftByKills)
        QVERIFY2(!QFile::exists(part), qPrintable(part + " left by a killed write stays"));
    if (!throughLink)
        for (const QString &part : notLeftByKills)
            QVERIFY2(QFile::exists(part), qPrintable(part + " was removed"));
    if (status == 0) {
        const QString lost = lostAtPowerCut(QFileInfo(written).canonicalFilePath(), QString::fromUtf8(contentsOf(syncs)));
        QVERIFY2(lost.isEmpty(), qPrintable(lost));
    }

    QString contents = QString::fromUtf8(contentsOf(written));
    if (written.endsWith(QStringLiteral(".xlsx"))) {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), written, QStringLiteral("xl/worksheets/sheet1.xml")});
        QVERIFY2(unzip.waitForFinished(-1) && unzip.exitCode() == 0, "unzip reads the workbook");
        contents = QString::fromUtf8(unzip.readAllStandardOutput());
    }
    for (QString pattern : found) {
        // "pdftotext:" looks in the PDF's text, laid out as on the page.
        QString searched = contents;
        if (pattern.startsWith(QLatin1String("pdftotext:"))) {
            pattern.remove(0, 10);
            QProcess pdftotext;
            pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), written, QStringLiteral("-")});
            QVERIFY2(pdftotext.waitForFinished(-1) && pdftotext.exitCode() == 0, "pdftotext reads the call list");
            searched = QString::fromUtf8(pdftotext.readAllStandardOutput());
        }
        QVERIFY2(searched.contains(QRegularExpression(pattern)), qPrintable(pattern + "\nnot in\n" + searched));
    }
}

QTEST_GUILESS_MAIN(ResultsCommandTest)
#include "results_command_test.moc"
