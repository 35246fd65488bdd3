#include "command_line.h"

#include "command_output.h"
#include "file_commands.h"
#include "import_command.h"
#include "journal_exports.h"
#include "journal_words.h"
#include "order_commands.h"
#include "season_commands.h"
#include "serve_command.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <optional>
#include <string_view>

namespace orlo {

namespace {

constexpr int usageError = 2;

const QString journalOption = QStringLiteral("journal");
const QString noJournalOption = QStringLiteral("no-journal");
const QString journalWindowOption = QStringLiteral("journal-window");
const QString exportOption = QStringLiteral("export-journal");
const QString dayOption = QStringLiteral("day");
const QString backupOption = QStringLiteral("backup-journal");
const QString importOption = QStringLiteral("import-entries");
const QString resultsOption = QStringLiteral("results");
const QString classOption = QStringLiteral("class");
const QString contestOption = QStringLiteral("contest");
const QString listContestsOption = QStringLiteral("list-contests");
const QString newContestOption = QStringLiteral("new-contest");
const QString firstDayOption = QStringLiteral("first-day");
const QString lastDayOption = QStringLiteral("last-day");
const QString copyEntriesOption = QStringLiteral("copy-entries");
const QString mergeOption = QStringLiteral("merge-journal");
const QString seriesResultsOption = QStringLiteral("series-results");
const QString seriesOption = QStringLiteral("series");
const QString serveOption = QStringLiteral("serve");
const QString callListOption = QStringLiteral("call-list");
const QString roundOption = QStringLiteral("round");
const QString drawOrderOption = QStringLiteral("draw-order");
const QString seedOption = QStringLiteral("seed");

// $XDG_DATA_HOME/orlo-score/journal.sqlite, or under ~/.local/share when
// XDG_DATA_HOME is not set or not an absolute path: the base directory rules
// call a relative one invalid, where Qt would take it as it is.
QString defaultJournalPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (QDir::isRelativePath(folder))
        folder = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(folder).filePath(QStringLiteral("orlo-score/journal.sqlite"));
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

bool drawsPages(int argc, char *argv[])
{
    const auto isPdf = [](std::string_view name) {
        return name.size() > 4
            && QLatin1String(name.substr(name.size() - 4)).compare(QLatin1String(".pdf"), Qt::CaseInsensitive) == 0;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        for (const std::string_view option : {std::string_view("--results"), std::string_view("--series-results"), std::string_view("--call-list")})
            if ((argument == option && i + 1 < argc && isPdf(argv[i + 1]))
                || (argument.starts_with(std::string(option) + "=") && isPdf(argument)))
                return true;
        // The pages served include the results as PDF.
        if (argument == "--serve" || argument.starts_with("--serve="))
            return true;
    }
    return false;
}

void prepareToDrawPages()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QtMessageHandler qtHandler = nullptr;
    qtHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
            qtHandler(type, context, message);
    });
}

namespace {

void addOptions(QCommandLineParser &parser, const QString &defaultPath)
{
    parser.addOptions({
        {journalOption, QStringLiteral("Keeps the flight journal in <file> instead of %1.").arg(defaultPath),
         QStringLiteral("file")},
        {noJournalOption, QStringLiteral("Keeps no flight journal.")},
        {journalWindowOption, QStringLiteral("Opens the flights window beside the sheet.")},
        {exportOption,
         QStringLiteral("Writes the journal's flights to <file> for a spreadsheet, as CSV or, for a name ending "
                        "in .xlsx, as an XLSX workbook, and ends, without a window."),
         QStringLiteral("file")},
        {dayOption,
         QStringLiteral("With --export-journal: only the flights of that day, the day of a flight's last "
                        "calculation."),
         QStringLiteral("YYYY-MM-DD")},
        {backupOption,
         QStringLiteral("Copies the journal, whole even while Orlo Score records into it, to <file> and ends, "
                        "without a window."),
         QStringLiteral("file")},
        {importOption,
         QStringLiteral("Adds the contestants of the registration file <file.csv> (columns Name, Number, Classes; "
                        "classes separated by /, |, ; or a comma, or one row per pilot per event) to the journal's "
                        "entry list and ends, without a window. A file with a bad row adds nobody; a contestant "
                        "listed already is not added again, but takes the classes the file names."),
         QStringLiteral("file.csv")},
        {resultsOption,
         QStringLiteral("Writes the contest's results, ranked per class by the contest's rules, to <file> in the "
                        "format its extension names (%1) and ends, without a window.")
             .arg(resultsExtensions()),
         QStringLiteral("file")},
        {seriesResultsOption,
         QStringLiteral("Writes the season's series standings, points added up across the contests by the series' "
                        "rules, to <file> in the format its extension names (%1) and ends, without a window.")
             .arg(resultsExtensions()),
         QStringLiteral("file")},
        {seriesOption,
         QStringLiteral("With --series-results: the series of that name, when the journal holds several. Without "
                        "it, the journal's one series, or every contest under the default rules when it has none."),
         QStringLiteral("name")},
        {classOption,
         QStringLiteral("With --results or --series-results: only the results of that class, or of that combination "
                        "of classes; given again for more. Without it, every class with flights or entries. With --call-list: only the calls of that class."),
         QStringLiteral("caption")},
        {callListOption,
         QStringLiteral("Writes the call list, who flies in what order in each round with a box to tick, to <file> "
                        "in the format its extension names (%1) and ends, without a window.")
             .arg(resultsExtensions()),
         QStringLiteral("file")},
        {roundOption, QStringLiteral("With --call-list: only that round."), QStringLiteral("N")},
        {drawOrderOption,
         QStringLiteral("Draws the order of flying of the class <caption> at random, keeps it in the journal, says "
                        "the seed and the order, and ends, without a window."),
         QStringLiteral("caption")},
        {seedOption, QStringLiteral("With --draw-order: draws from that seed, making a draw made before again."),
         QStringLiteral("N")},
        {contestOption,
         QStringLiteral("With --results, --export-journal or --import-entries: that contest of the journal "
                        "instead of the current one."),
         QStringLiteral("name")},
        {listContestsOption,
         QStringLiteral("Lists the journal's contests, one a line: name, first day, last day, number of flights "
                        "and 'current' for the one new flights are recorded into, separated by tabs; and ends, "
                        "without a window.")},
        {newContestOption,
         QStringLiteral("Starts the contest <name> in the journal and makes it current, so that new flights are "
                        "recorded into it, and ends, without a window."),
         QStringLiteral("name")},
        {firstDayOption, QStringLiteral("With --new-contest: the contest's first day."), QStringLiteral("YYYY-MM-DD")},
        {lastDayOption, QStringLiteral("With --new-contest: the contest's last day."), QStringLiteral("YYYY-MM-DD")},
        {mergeOption,
         QStringLiteral("Merges the journal <file> of another scoring table, or a backup of one, into the journal: "
                        "its contests, flights, entries and corrections; <file> is only read. Says what it added and "
                        "each conflict, left as the journal has it, and ends, without a window."),
         QStringLiteral("file")},
        {copyEntriesOption,
         QStringLiteral("With --new-contest: the new contest starts with the current contest's entry list rather "
                        "than an empty one.")},
        {serveOption,
         QStringLiteral("Shows the contest's standings on the network at port PORT (of every IPv4 address, or of "
                        "ADDRESS alone) for phones and a big screen, only read from the journal, and prints the "
                        "addresses to type; serves until interrupted (Ctrl+C), beside the scoring window if one "
                        "is open."),
         QStringLiteral("[ADDRESS:]PORT")},
    });
}

// Options given together that do not go together, said in a sentence.
std::optional<QString> clashOf(const QCommandLineParser &parser)
{
    if (parser.isSet(noJournalOption)
        && (parser.isSet(journalOption) || parser.isSet(exportOption) || parser.isSet(backupOption)
            || parser.isSet(importOption) || parser.isSet(resultsOption) || parser.isSet(listContestsOption)
            || parser.isSet(newContestOption) || parser.isSet(mergeOption) || parser.isSet(seriesResultsOption)
            || parser.isSet(serveOption)))
        return QStringLiteral("--no-journal goes with none of --journal, --export-journal, --backup-journal, "
                              "--import-entries, --results, --series-results, --list-contests, --new-contest, "
                              "--merge-journal and --serve.");
    if (parser.isSet(seriesOption) && !parser.isSet(seriesResultsOption))
        return QStringLiteral("--series goes with --series-results only.");
    if (parser.isSet(contestOption)
        && !(parser.isSet(resultsOption) || parser.isSet(exportOption) || parser.isSet(importOption)
             || parser.isSet(callListOption) || parser.isSet(drawOrderOption)))
        return QStringLiteral("--contest goes with --results, --export-journal or --import-entries only.");
    if ((parser.isSet(firstDayOption) || parser.isSet(lastDayOption) || parser.isSet(copyEntriesOption))
        && !parser.isSet(newContestOption))
        return QStringLiteral("--first-day, --last-day and --copy-entries go with --new-contest only.");
    if (parser.isSet(dayOption) && !parser.isSet(exportOption))
        return QStringLiteral("--day goes with --export-journal only.");
    if (parser.isSet(classOption) && !parser.isSet(resultsOption) && !parser.isSet(seriesResultsOption)
        && !parser.isSet(callListOption))
        return QStringLiteral("--class goes with --results, --series-results or --call-list only.");
    if (parser.isSet(roundOption) && !parser.isSet(callListOption))
        return QStringLiteral("--round goes with --call-list only.");
    if (parser.isSet(seedOption) && !parser.isSet(drawOrderOption))
        return QStringLiteral("--seed goes with --draw-order only.");
    if (parser.isSet(noJournalOption) && (parser.isSet(callListOption) || parser.isSet(drawOrderOption)))
        return QStringLiteral("--no-journal goes with neither --call-list nor --draw-order.");
    if (int(parser.isSet(exportOption)) + int(parser.isSet(backupOption)) + int(parser.isSet(importOption))
            + int(parser.isSet(resultsOption)) + int(parser.isSet(listContestsOption))
            + int(parser.isSet(newContestOption)) + int(parser.isSet(mergeOption))
            + int(parser.isSet(seriesResultsOption)) + int(parser.isSet(serveOption))
            + int(parser.isSet(callListOption)) + int(parser.isSet(drawOrderOption))
        > 1)
        return QStringLiteral("--export-journal, --backup-journal, --import-entries, --results, --series-results, "
                              "--list-contests, --new-contest, --merge-journal, --serve, --call-list and --draw-order "
                              "are given one at a time.");
    return std::nullopt;
}

StartOptions optionsOf(const QCommandLineParser &parser, const QString &defaultPath)
{
    StartOptions options;
    if (!parser.isSet(noJournalOption))
        options.journalPath = parser.isSet(journalOption) ? parser.value(journalOption) : defaultPath;
    options.journalWindow = parser.isSet(journalWindowOption);
    options.exportPath = parser.value(exportOption);
    options.day = parser.value(dayOption);
    options.backupPath = parser.value(backupOption);
    options.importPath = parser.value(importOption);
    options.resultsPath = parser.value(resultsOption);
    options.classes = parser.values(classOption);
    options.contestName = parser.value(contestOption);
    options.listContests = parser.isSet(listContestsOption);
    options.newContest = parser.value(newContestOption);
    options.firstDay = parser.value(firstDayOption);
    options.lastDay = parser.value(lastDayOption);
    options.copyEntries = parser.isSet(copyEntriesOption);
    options.mergePath = parser.value(mergeOption);
    options.seriesResultsPath = parser.value(seriesResultsOption);
    options.seriesName = parser.value(seriesOption);
    options.serve = parser.value(serveOption);
    options.callListPath = parser.value(callListOption);
    options.round = parser.value(roundOption).toInt();
    options.drawClass = parser.value(drawOrderOption);
    options.seed = parser.value(seedOption);
    return options;
}

// An option's value the command cannot use, said in a sentence.
std::optional<QString> badValueOf(const QCommandLineParser &parser, const StartOptions &options)
{
    for (const auto &[option, path] : {std::pair{resultsOption, options.resultsPath},
                                       std::pair{seriesResultsOption, options.seriesResultsPath}})
        if (parser.isSet(option) && !resultsFormatOf(path))
            return QStringLiteral("--%1 writes a file whose name ends in one of %2, not '%3'.")
                .arg(option, resultsExtensions(), path);
    if ((parser.isSet(exportOption) && options.exportPath.isEmpty())
        || (parser.isSet(backupOption) && options.backupPath.isEmpty()))
        return QStringLiteral("--%1 needs the name of the file to write.")
            .arg(parser.isSet(exportOption) ? exportOption : backupOption);
    if (parser.isSet(importOption) && options.importPath.isEmpty())
        return QStringLiteral("--import-entries needs the name of the registration file to read.");
    for (const auto &[option, day] : {std::pair{dayOption, options.day}, std::pair{firstDayOption, options.firstDay},
                                      std::pair{lastDayOption, options.lastDay}})
        if (parser.isSet(option) && !QDate::fromString(day, QStringLiteral("yyyy-MM-dd")).isValid())
            return QStringLiteral("--%1 takes a date written YYYY-MM-DD, such as 2026-12-08, not '%2'.")
                .arg(option, day);
    if (parser.isSet(serveOption) && !servedAt(options.serve))
        return QStringLiteral("--serve takes a port, or an IPv4 address and a port, such as 8080 or "
                              "192.168.1.20:8080, not '%1'.")
            .arg(options.serve);
    if (parser.isSet(callListOption) && !resultsFormatOf(options.callListPath))
        return QStringLiteral("--call-list writes a file whose name ends in one of %1, not '%2'.")
            .arg(resultsExtensions(), options.callListPath);
    if (parser.isSet(roundOption) && options.round < 1)
        return QStringLiteral("--round takes a round's number, 1 or more, not '%1'.").arg(parser.value(roundOption));
    if (bool number = true; parser.isSet(seedOption) && (options.seed.toULongLong(&number), !number))
        return QStringLiteral("--seed takes a whole number from 0 up, not '%1'.").arg(options.seed);
    if (parser.isSet(drawOrderOption) && options.drawClass.trimmed().isEmpty())
        return QStringLiteral("--draw-order needs the caption of the class to draw.");
    if (parser.isSet(newContestOption) && options.newContest.trimmed().isEmpty())
        return QStringLiteral("--new-contest needs the new contest's name.");
    return std::nullopt;
}

} // namespace

std::variant<StartOptions, int> parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Scores one flight of a control-line carrier event."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QString defaultPath = defaultJournalPath();
    addOptions(parser, defaultPath);

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
    if (const std::optional<QString> clash = clashOf(parser)) {
        say(*clash);
        return usageError;
    }
    StartOptions options = optionsOf(parser, defaultPath);
    if (const std::optional<QString> bad = badValueOf(parser, options)) {
        say(*bad);
        return usageError;
    }
    return options;
}

int runJournalCommand(const StartOptions &options)
{
    if (options.listContests)
        return listContests(options.journalPath);
    if (!options.newContest.isEmpty())
        return startContest(options);
    if (!options.mergePath.isEmpty())
        return mergeJournal(options.journalPath, options.mergePath);
    if (!options.seriesResultsPath.isEmpty())
        return writeSeriesResults(options.journalPath, options.seriesResultsPath, options.seriesName, options.classes);
    if (!options.serve.isEmpty())
        return serveStandings(options.journalPath, *servedAt(options.serve));
    std::int64_t contestId = 0;
    if (!options.contestName.isEmpty()) {
        const std::optional<std::int64_t> found = contestNamed(options.journalPath, options.contestName);
        if (!found)
            return 1;
        contestId = *found;
    }
    if (!options.importPath.isEmpty())
        return importEntries(options.journalPath, options.importPath, contestId);
    if (!options.callListPath.isEmpty())
        return callListCommand(options.journalPath, options.callListPath, options.classes.value(0), options.round,
                               contestId);
    if (!options.drawClass.isEmpty())
        return drawOrderCommand(options.journalPath, options.drawClass,
                                options.seed.isEmpty() ? std::nullopt : std::optional(std::uint64_t(options.seed.toULongLong())),
                                contestId);
    if (!options.resultsPath.isEmpty())
        return writeResults(options.journalPath, options.resultsPath, options.classes, contestId);
    if (!options.exportPath.isEmpty() && isXlsx(options.exportPath))
        return exportFlightsXlsx(options.journalPath, options.day, options.exportPath, contestId);
    // Reading never creates, moves or changes a journal: the journal is
    // opened for reading, and a file that is none is refused untouched.
    const orlo::JournalExport done = options.backupPath.isEmpty()
        ? orlo::exportFlightsCsv(options.journalPath.toStdString(), {options.day.toStdString(), {}},
                                 options.exportPath.toStdString(), contestId)
        : orlo::backUpJournalTo(options.journalPath.toStdString(), options.backupPath.toStdString());
    if (done.notice)
        say(QString::fromStdString(orlo::journalSentence(done.notice)));
    if (!done.done) {
        say(QString::fromStdString(done.sentence));
        return 1;
    }
    std::printf("%s\n", done.sentence.c_str());
    return 0;
}

} // namespace orlo
