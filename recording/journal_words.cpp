#include "journal_words.h"

namespace orlo {

using journal::JournalEvent;
using journal::WaitCause;

namespace {

std::string waiting(const journal::JournalNotice &notice)
{
    const char *what = notice.waitCause == WaitCause::Locked     ? " is held by another program"
                       : notice.waitCause == WaitCause::DiskFull ? " cannot be written: the disk is full"
                                                                 : " cannot be written";
    return "The flight journal " + notice.path + what + " (" + notice.cause
        + "). The calculations scored meanwhile wait in memory and are written as soon as it can take them; keep "
          "Orlo Score open until then.";
}

} // namespace

std::string journalSentence(const journal::JournalNotice &notice)
{
    const std::string &path = notice.path;
    const std::string removed = "The flight journal " + path + " was removed while Orlo Score recorded into it";
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
    case JournalEvent::Refused:
        return notice.cause;
    case JournalEvent::Waiting:
        return waiting(notice);
    case JournalEvent::RecordsAgain:
        return "The flight journal " + path + " records again: every calculation that waited is written.";
    case JournalEvent::MovedAway:
        return "The flight journal " + path + " was moved to " + notice.aside
            + " while Orlo Score recorded into it; the flights recorded before are there. A new journal is started at "
            + path + " for the flights scored from now on.";
    case JournalEvent::RemovedNotWrittenBack:
        return removed + ", and its flights could not be written back (" + notice.cause + "). A new journal is started at "
            + path + " for the flights scored from now on.";
    case JournalEvent::RemovedNameTaken:
        return removed + ", and another file took its name; the flights it held are kept as " + notice.aside + ".";
    case JournalEvent::RemovedKeptAside:
        return removed + "; the flights it held are kept as " + notice.aside + ", and a new journal is started at "
            + path + ".";
    case JournalEvent::RemovedWrittenBack:
        return removed + "; every flight it held is written back to " + path + ", and recording goes on there.";
    }
    return {};
}

} // namespace orlo
