#include "journal_words.h"

#include <filesystem>

namespace orlo {

using journal::JournalAttempt;
using journal::JournalEvent;
using journal::ProblemKind;
using journal::WaitCause;

namespace {

// A file this program leaves as it is, whatever the official asked of it.
std::string refusal(ProblemKind kind, const std::string &path)
{
    if (kind == ProblemKind::LaterVersion)
        return "The flight journal " + path + " was written by a later version of Orlo Score; it is left as it is.";
    return path + " is not an Orlo Score flight journal but another program's database; it is left as it is.";
}

// What stood in the way, after "cannot be read: " and the like.
std::string why(const journal::JournalProblem &problem)
{
    if (problem.problemKind() == ProblemKind::LogCopyFailed)
        return "its log (" + problem.path() + "-wal) is read from a copy, and the copy could not be made ("
            + problem.cause() + ")";
    return problem.cause();
}

// A journal on a write-protected stick, or copied without write permission:
// SQLite's "attempt to write a readonly database" says nothing of what to do.
std::string readOnly()
{
    return "it is read-only (on a write-protected stick, say, or copied without write permission). "
           "Copy the journal to a folder you may write in and use the copy, or make the file and its folder "
           "writable";
}

// A journal on a full disk (a stick, a small partition): SQLite's "disk I/O
// error" for a log's index that cannot grow says nothing of the room; its
// code is kept for the record.
std::string fullDisk(const journal::JournalProblem &problem)
{
    return "the disk it is on is full (code " + std::to_string(problem.code())
        + "). Make room on that disk, or copy the journal to a disk with room and use the copy";
}

// What kept a change or the keeping from the journal, in the program's words where it has them.
std::string refusedChange(const journal::JournalProblem &problem)
{
    if (problem.kind() == journal::ErrorKind::ReadOnly)
        return readOnly();
    if (problem.kind() == journal::ErrorKind::DiskFull)
        return fullDisk(problem);
    // A second Orlo Score, or a backup tool, writing longer than a change waits.
    if (problem.kind() == journal::ErrorKind::Busy)
        return "another program holds it (code " + std::to_string(problem.code())
            + "). Try again in a moment; if it stays held, close the other program that has the journal open";
    return why(problem);
}

// A file SQLite found damaged: its first finding, for the record, or none
// when the file has no database header at all.
std::string damaged(const journal::JournalProblem &problem)
{
    if (problem.cause().empty())
        return "the file is damaged, or is no flight journal at all";
    return "the file is damaged (" + problem.cause() + ")";
}

std::string waiting(const journal::JournalNotice &notice)
{
    const char *what = notice.waitCause == WaitCause::Locked     ? " is held by another program"
                       : notice.waitCause == WaitCause::DiskFull ? " cannot be written: the disk is full"
                                                                 : " cannot be written";
    return "The flight journal " + notice.path + what + " (" + notice.cause
        + "). The calculations scored meanwhile wait in memory and are written as soon as it can take them; keep "
          "Orlo Score open until then.";
}

// The contest a new journal starts with, as the journal moved or removed held it.
std::string carried(const journal::JournalNotice &notice)
{
    if (!notice.contestCarried)
        return ", with no contest, entries or rules: name them again";
    return ", with " + (notice.carriedName.empty() ? std::string("the contest") : notice.carriedName)
        + " as it was (its rules, combinations and entry list), and the contestant now flying";
}

// How the earlier flights come back beside the new ones.
std::string mergeBack(const std::string &earlier, const journal::JournalNotice &notice)
{
    if (!notice.contestCarried)
        return ".";
    return ". To have every flight in one journal, merge " + earlier
        + " into it (\"Merge another scoring table…\"): both hold the same contest.";
}

} // namespace

std::string journalSentence(const journal::JournalNotice &notice)
{
    const std::string &path = notice.path;
    const std::string removed = "The flight journal " + path + " was removed while Orlo Score recorded into it";
    const std::string newJournal = "A new journal is started at " + path + " for the flights scored from now on"
        + carried(notice);
    switch (notice.event) {
    case JournalEvent::None:
        return {};
    case JournalEvent::CarriedForward:
        return "The flight journal " + path + " was carried forward to this version's layout.";
    case JournalEvent::DamagedMovedAside:
        return "The flight journal " + path + " was damaged; it is kept as " + notice.aside
            + " and a fresh journal is started.";
    case JournalEvent::LogWithoutJournal:
        return "A log of the flight journal " + path + " was found without its journal; it is kept as " + notice.aside
            + ". Put it beside its journal, named as the journal with -wal added, to read its flights.";
    case JournalEvent::Stopped:
        return "The flight journal cannot be kept in " + path + ": " + notice.cause + ". Scoring goes on without it.";
    case JournalEvent::RefusedForeign:
        return refusal(ProblemKind::Foreign, path);
    case JournalEvent::RefusedLaterVersion:
        return refusal(ProblemKind::LaterVersion, path);
    case JournalEvent::Waiting:
        return waiting(notice);
    case JournalEvent::RecordsAgain:
        return "The flight journal " + path + " records again: every calculation that waited is written.";
    case JournalEvent::MovedAway:
        return "The flight journal " + path + " was moved to " + notice.aside
            + " while Orlo Score recorded into it; the flights recorded before are there. " + newJournal
            + mergeBack(notice.aside, notice);
    case JournalEvent::RemovedNotWrittenBack:
        return removed + ", and its flights could not be written back (" + notice.cause + "). " + newJournal + ".";
    case JournalEvent::RemovedNameTaken:
        return removed + ", and another file took its name; the flights it held are kept as " + notice.aside + ".";
    case JournalEvent::RemovedKeptAside:
        return removed + "; the flights it held are kept as " + notice.aside + ". " + newJournal
            + mergeBack(notice.aside, notice);
    case JournalEvent::RemovedWrittenBack:
        return removed + "; every flight it held is written back to " + path + ", and recording goes on there.";
    }
    return {};
}

std::string journalSentence(const journal::JournalProblem &problem)
{
    const std::string &path = problem.path();
    if (problem.refused())
        return refusal(problem.problemKind(), path);
    switch (problem.attempt()) {
    case JournalAttempt::Read:
        if (problem.problemKind() == ProblemKind::NoJournal)
            return "There is no flight journal at " + path + ".";
        if (problem.problemKind() == ProblemKind::NothingYet)
            return "The flight journal " + path + " holds nothing yet: it was never written, or it was copied while "
                                                  "Orlo Score was writing it, without its -wal file.";
        if (problem.problemKind() == ProblemKind::Damaged)
            return "The flight journal " + path + " cannot be read: " + damaged(problem) + ".";
        return "The flight journal " + path + " cannot be read: " + why(problem) + ".";
    case JournalAttempt::Keep:
        return "The flight journal cannot be kept in " + path + ": " + refusedChange(problem) + ".";
    case JournalAttempt::Change:
        return "The flight journal " + path + " cannot be changed: " + refusedChange(problem) + ".";
    case JournalAttempt::BackUp: {
        const std::string cannot = "Cannot back up the flight journal to " + path + ": ";
        if (problem.problemKind() == ProblemKind::OntoItself)
            return cannot + "that is the journal itself. Nothing was written.";
        if (const journal::JournalProblem *within = problem.within())
            return cannot + journalSentence(*within) + ". Nothing was written.";
        if (problem.kind() == journal::ErrorKind::DiskFull)
            return cannot + "the disk is full (code " + std::to_string(problem.code()) + "). Nothing was written.";
        return cannot + why(problem) + ". Nothing was written.";
    }
    case JournalAttempt::Merge: {
        const std::string cannot = "Cannot merge " + path + " into the flight journal: ";
        if (problem.problemKind() == ProblemKind::OntoItself)
            return cannot + "that is the journal itself. Nothing was merged.";
        if (const journal::JournalProblem *within = problem.within()) {
            if (within->problemKind() == ProblemKind::Damaged)
                return cannot + damaged(*within)
                    + ", so nothing was merged; merge that table's backup instead, or make a fresh one on its laptop "
                      "with \"Back up journal…\" and merge that.";
            return cannot + journalSentence(*within) + " Nothing was merged.";
        }
        return cannot + refusedChange(problem) + ". Nothing was merged.";
    }
    }
    return problem.what();
}

std::string journalSentence(const std::exception &failure)
{
    if (const auto *problem = dynamic_cast<const journal::JournalProblem *>(&failure))
        return journalSentence(*problem);
    return failure.what();
}

std::string shownFileName(const std::string &fileName)
{
    return std::filesystem::path(fileName).make_preferred().string();
}

} // namespace orlo
