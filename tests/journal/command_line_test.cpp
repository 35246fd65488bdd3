#include "flight_journal.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace orlo;
using namespace orlo::journal;

namespace {

struct Run {
    int status = -1;
    QString output;
    QString errors;
};

// The built program without any display: none of these starts may need one.
// The dynamic loader looks for libraries in libraryFolder first.
Run run(const QStringList &arguments, const QString &libraryFolder = {})
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!libraryFolder.isEmpty())
        environment.insert(QStringLiteral("LD_LIBRARY_PATH"), libraryFolder);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORLO_SCORE_PROGRAM), arguments);
    Run result;
    if (!program.waitForFinished(-1) || program.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = program.exitCode();
    result.output = QString::fromUtf8(program.readAllStandardOutput());
    result.errors = QString::fromUtf8(program.readAllStandardError());
    return result;
}

CalculationRecord scored(const std::string &classCaption, const std::string &score)
{
    CalculationRecord values;
    values.classCaption = classCaption;
    values.score = score;
    values.summary = {classCaption, score + " Total Score"};
    return values;
}

} // namespace

// The program's command line, run as the official would run it.
class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void versionAndHelp();
    void wrongCommandLine_data();
    void wrongCommandLine();
    void exportOfOneDay();
    void exportWithoutSqlite();

private:
    QTemporaryDir m_folder;
    QString m_journal;
};

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
    QVERIFY(journal.setContestant(journal.flights().front().id, "Lee, Ann"));
}

void CommandLineTest::versionAndHelp()
{
    const Run version = run({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.output, QStringLiteral("Orlo_Score 1.00\n"));

    const Run help = run({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    for (const char *option : {"--journal <file>", "--no-journal", "--journal-window", "--export-journal <file.csv>",
                               "--day <YYYY-MM-DD>", "--version", "--help"})
        QVERIFY2(help.output.contains(QLatin1String(option)), option);
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
}

void CommandLineTest::wrongCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, saying);
    QTemporaryDir folder;
    for (QString &argument : arguments) {
        if (argument.endsWith(QStringLiteral(".csv")) || argument.endsWith(QStringLiteral(".sqlite")))
            argument = folder.filePath(argument);
    }
    if (!arguments.contains(QStringLiteral("--journal")))
        arguments << QStringLiteral("--journal") << m_journal;

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
    const std::vector<FlightRow> day = FlightJournal(m_journal.toStdString()).flights({"2026-12-08", ""});
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

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
