#include "command_line.h"

#include "flight_journal.h"
#include "flights_csv_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>

#include <cstdio>
#include <string_view>

namespace {

constexpr int usageError = 2;

const QString journalOption = QStringLiteral("journal");
const QString noJournalOption = QStringLiteral("no-journal");
const QString journalWindowOption = QStringLiteral("journal-window");
const QString exportOption = QStringLiteral("export-journal");
const QString dayOption = QStringLiteral("day");

void say(const QString &sentence)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(sentence));
}

} // namespace

bool runsWithoutWindow(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        if (argument == "--journal") {
            ++i; // its file name, whatever it looks like
            continue;
        }
        if (argument.starts_with("--journal=") || argument == "--no-journal" || argument == "--journal-window")
            continue;
        // Every other long option is answered without a window, an unknown
        // one with its error. Single-dash words are left to Qt (-platform,
        // -style, ...), but for the short help and version.
        if (argument.starts_with("--") || argument == "-h" || argument == "-?" || argument == "-v")
            return true;
    }
    return false;
}

std::variant<StartOptions, int> parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Scores one flight of a control-line carrier event."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QString defaultPath = QString::fromStdString(orlo::journal::defaultJournalPath());
    parser.addOptions({
        {journalOption, QStringLiteral("Keeps the flight journal in <file> instead of %1.").arg(defaultPath),
         QStringLiteral("file")},
        {noJournalOption, QStringLiteral("Keeps no flight journal.")},
        {journalWindowOption, QStringLiteral("Opens the flights window beside the sheet.")},
        {exportOption,
         QStringLiteral("Writes the journal's flights to <file.csv> for a spreadsheet and ends, without a window."),
         QStringLiteral("file.csv")},
        {dayOption, QStringLiteral("With --export-journal: only the flights of that day."),
         QStringLiteral("YYYY-MM-DD")},
    });

    if (!parser.parse(arguments)) {
        say(parser.errorText());
        return usageError;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        say(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
        return usageError;
    }

    StartOptions options;
    if (parser.isSet(noJournalOption) && (parser.isSet(journalOption) || parser.isSet(exportOption))) {
        say(QStringLiteral("--no-journal goes with neither --journal nor --export-journal."));
        return usageError;
    }
    if (!parser.isSet(noJournalOption))
        options.journalPath = parser.isSet(journalOption) ? parser.value(journalOption) : defaultPath;
    options.journalWindow = parser.isSet(journalWindowOption);
    options.exportPath = parser.value(exportOption);
    options.day = parser.value(dayOption);
    if (parser.isSet(exportOption) && options.exportPath.isEmpty()) {
        say(QStringLiteral("--export-journal needs the name of the file to write."));
        return usageError;
    }
    if (parser.isSet(dayOption) && !QDate::fromString(options.day, QStringLiteral("yyyy-MM-dd")).isValid()) {
        say(QStringLiteral("--day takes a date written YYYY-MM-DD, such as 2026-12-08, not '%1'.").arg(options.day));
        return usageError;
    }
    return options;
}

int exportJournal(const StartOptions &options)
{
    // Exporting never creates a journal where there was none.
    if (!QFileInfo::exists(options.journalPath)) {
        say(QStringLiteral("There is no flight journal at %1; nothing was written.").arg(options.journalPath));
        return 1;
    }
    orlo::journal::FlightJournal journal(options.journalPath.toStdString());
    if (!journal.isWorking()) {
        say(QString::fromStdString(journal.problem()));
        return 1;
    }
    QString problem;
    if (!writeFlightsCsv(options.exportPath, journal.flights({options.day.toStdString(), {}}), problem)) {
        say(QStringLiteral("Cannot write %1: %2. Nothing was written.").arg(options.exportPath, problem));
        return 1;
    }
    return 0;
}
