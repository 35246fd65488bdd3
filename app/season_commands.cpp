#include "season_commands.h"

#include "command_output.h"
#include "contest_journal.h"
#include "contestant_names.h"
#include "journal_reader.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "table_merge.h"


#include <cstdio>

namespace orlo {

int listContests(const QString &journalPath)
{
    try {
        const journal::JournalReader reader(journalPath.toStdString());
        const std::vector<journal::SeasonContest> contests = reader.contests();
        if (reader.notice())
            say(QString::fromStdString(journalSentence(reader.notice())));
        for (const journal::SeasonContest &contest : contests)
            std::printf("%s\t%s\t%s\t%d%s\n", contest.name.c_str(), contest.firstDay.c_str(), contest.lastDay.c_str(),
                        contest.flights, contest.current ? "\tcurrent" : "");
        return 0;
    } catch (const journal::JournalProblem &problem) {
        say(QString::fromStdString(journalSentence(problem)));
        return 1;
    }
}

int startContest(const StartOptions &options)
{
    try {
        journal::ContestJournal journal(options.journalPath.toStdString());
        journal.startContest({options.newContest.toStdString(), options.firstDay.toStdString(),
                              options.lastDay.toStdString(), options.copyEntries});
        if (journal.notice())
            say(QString::fromStdString(journalSentence(journal.notice())));
        const QString name = QString::fromStdString(contest::tidyName(options.newContest.toStdString()));
        std::printf("Started the contest %s%s; new flights are recorded into it.\n", qPrintable(name),
                    options.copyEntries ? " with the entry list of the contest before" : "");
        return 0;
    } catch (const std::exception &refused) {
        say(QString::fromStdString(journalSentence(refused)) + QStringLiteral(" No contest was started."));
        return 1;
    }
}

int mergeJournal(const QString &journalPath, const QString &otherPath)
{
    const JournalExport merged = mergeTableInto(journalPath.toStdString(), otherPath.toStdString());
    if (!merged.done) {
        say(QString::fromStdString(merged.sentence));
        return 1;
    }
    std::printf("%s\n", merged.sentence.c_str());
    return 0;
}

std::optional<std::int64_t> contestNamed(const QString &journalPath, const QString &name)
{
    std::vector<journal::SeasonContest> contests;
    try {
        contests = journal::JournalReader(journalPath.toStdString()).contests();
    } catch (const journal::JournalProblem &problem) {
        say(QString::fromStdString(journalSentence(problem)));
        return std::nullopt;
    }
    QStringList names;
    for (const journal::SeasonContest &contest : contests) {
        if (contest::sameName(contest.name, name.toStdString()))
            return contest.id;
        names.append(QString::fromStdString(contest.name));
    }
    say(QStringLiteral("There is no contest named %1 in the journal %2. Its contests are: %3.")
            .arg(name, journalPath, names.join(QStringLiteral("; "))));
    return std::nullopt;
}

} // namespace orlo
