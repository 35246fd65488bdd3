#pragma once

#include "flight_observer.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

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
// are added to the environment.
inline Run run(const QStringList &arguments, const QString &libraryFolder = {},
               const QProcessEnvironment &settings = {})
{
    QProcess program;
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
    values.summary = {classCaption, score + " Total Score"};
    return values;
}

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace command_line_test
