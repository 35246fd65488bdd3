#pragma once

#include "contest_journal.h"
#include "flight_journal.h"
#include "journal_reader.h"
#include "flight_observer.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// What the tests of the program's command line share: the built program
// started without a display, and a calculation of a class and score.
namespace command_line_test {

struct Run {
    int status = -1;
    QString output;
    QString errors;
};

// The built program without any display: none of these starts may need one.
// The dynamic loader looks for libraries in libraryFolder first; settings
// are added to the environment; asOtherUser, the superuser's tests run it as
// another user (nobody).
inline Run run(const QStringList &arguments, const QString &libraryFolder = {},
               const QProcessEnvironment &settings = {}, bool asOtherUser = false)
{
    QProcess program;
    if (asOtherUser)
        program.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(127);
        });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : settings.keys())
        environment.insert(name, settings.value(name));
    if (!libraryFolder.isEmpty())
        environment.insert(QStringLiteral("LD_LIBRARY_PATH"), libraryFolder);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR")); // as on a machine nobody has logged in to
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

inline orlo::CalculationRecord scored(const std::string &classCaption, const std::string &score)
{
    orlo::CalculationRecord values;
    values.classCaption = classCaption;
    values.score = score;
    values.highSpeedMph = "72.0133333333333"; // a speed as the sheet shows it, all its decimals
    values.summary = {classCaption, score + " Total Score"};
    return values;
}

// Records 13 flights more into the journal and writes them into it, then
// only into its log: a flight made void, a late entry and a 16th flight;
// the recording program is then killed, so the log stays.
inline bool recordIntoLogAndKill(const QString &journal)
{
    int recorded[2];
    if (pipe(recorded) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        alarm(60);
        ::close(recorded[0]);
        orlo::journal::FlightJournal recording(journal.toStdString());
        for (int flight = 0; flight < 13; ++flight) {
            recording.calculated(command_line_test::scored("Class I", std::to_string(100 + flight) + ".0"));
            recording.flightEnded();
        }
        orlo::journal::ContestJournal contest(journal.toStdString());
        contest.setStatus(orlo::journal::JournalReader(journal.toStdString()).flights().front().id,
                          orlo::contest::FlightStatus::Void, "flown by a substitute");
        contest.add(orlo::contest::NewEntry{"Late, Lou", "77", {"Class I"}});
        recording.calculated(command_line_test::scored("Class I", "300.0"));
        (void)!write(recorded[1], "x", 1);
        pause();
        _exit(0);
    }
    ::close(recorded[1]);
    char signal = 0;
    const bool told = child > 0 && read(recorded[0], &signal, 1) == 1;
    ::close(recorded[0]);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return told;
}

inline bool writeAt(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek(offset) && file.write(bytes) == bytes.size();
}

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace command_line_test
