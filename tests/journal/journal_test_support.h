#pragma once

#include "flight_journal.h"

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// What the journal's tests share: a calculation to record, where the
// journal lies, and the end of a forked writer on every path.
namespace journal_test {

using orlo::CalculationRecord;

// A calculation whose every text differs with its score; the summary holds
// the characters the journal must carry through a single column.
inline CalculationRecord calculation(const std::string &score)
{
    CalculationRecord values;
    values.classCaption = "Class I";
    values.highSpeedWatch1 = "12.3";
    values.highSpeedWatch2 = "12.4";
    values.lowSpeedWatch1 = "25";
    values.lowSpeedWatch2 = "25.2";
    values.highSpeedTime = "12.35";
    values.highSpeedMph = "72.013";
    values.highSpeedPoints = "72.0";
    values.lowSpeedTime = "25.1";
    values.lowSpeedMph = "35.4";
    values.lowSpeedPoints = "13.8";
    values.enginesEntered = "2";
    values.enginesRunning = "1";
    values.scalePoints = "100";
    values.landingPoints = "95";
    values.score = score;
    values.summary = {"Class I", "a \\n backslash", "two\nlines", score + " Total Score"};
    return values;
}

inline QString journalIn(const QTemporaryDir &folder)
{
    return folder.filePath(QStringLiteral("orlo-score/journal.sqlite"));
}

inline std::string text(const QString &path)
{
    return path.toStdString();
}

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Ends the child on every path: reaped here, killed first when asked.
inline int reap(pid_t child, bool kill = false)
{
    if (kill)
        ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

// A child that outlives a failed test ends on its own.
constexpr unsigned childWatchdogSeconds = 60;


} // namespace journal_test
