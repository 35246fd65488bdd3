#include "import_command.h"

#include "command_output.h"
#include "contest_journal.h"
#include "journal_files.h"
#include "journal_words.h"
#include "registration_file.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <string_view>

namespace orlo {

int importEntries(const QString &journalPath, const QString &filePath, std::int64_t contestId)
{
    using namespace journal;
    // Told by stat() alone, as the entry list does: opening the journal's own
    // file here and closing it would drop this program's locks on it.
    if (isJournalFile(filePath.toStdString(), journalPath.toStdString())) {
        say(QStringLiteral("Cannot import %1: %2. Nothing was imported.").arg(filePath, QLatin1String(theJournalItself)));
        return 1;
    }
    // An empty file is read, and said to hold no header row.
    QFile file(filePath);
    const bool folder = QFileInfo(filePath).isDir();
    if (folder || !file.open(QIODevice::ReadOnly)) {
        const QString why = folder ? QStringLiteral("it is a folder") : file.errorString();
        say(QStringLiteral("Cannot read the registration file %1: %2. Nothing was imported.").arg(filePath, why));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        say(QStringLiteral("Cannot read the registration file %1: %2. Nothing was imported.")
                .arg(filePath, file.errorString()));
        return 1;
    }
    file.close();
    ImportOutcome outcome;
    orlo::Registration registration =
        orlo::readRegistration(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    try {
        if (registration.problems.empty()) {
            ContestJournal contest(journalPath.toStdString());
            contest.chooseContest(contestId);
            outcome = contest.importEntries(registration.rows);
            if (contest.notice())
                say(QString::fromStdString(orlo::journalSentence(contest.notice())));
        }
    } catch (const std::exception &failure) {
        say(QString::fromStdString(orlo::journalSentence(failure)) + QStringLiteral(" Nothing was imported."));
        return 1;
    }
    const std::vector<std::string> &problems = registration.problems.empty() ? outcome.problems : registration.problems;
    if (!problems.empty()) {
        say(QStringLiteral("Nothing was imported from %1:").arg(filePath));
        for (const std::string &problem : problems)
            std::fprintf(stderr, "  %s\n", problem.c_str());
        return 1;
    }
    std::printf("Added %d %s to the entry list of %s; %d %s on it already%s\n", outcome.added,
                outcome.added == 1 ? "entry" : "entries", qPrintable(journalPath), outcome.alreadyListed,
                outcome.alreadyListed == 1 ? "was" : "were", outcome.changed.empty() ? "." : ", their classes now:");
    for (const std::string &change : outcome.changed)
        std::printf("  %s.\n", change.c_str());
    std::printf("%s\n", orlo::columnsUsedSaid(registration.header, registration.columns).c_str());
    return 0;
}

} // namespace orlo
