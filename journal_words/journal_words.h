#pragma once

#include "journal_notice.h"
#include "journal_schema.h"

#include <exception>

#include <string>

namespace orlo {

// What befell the journal, in one or two sentences for the official: shown
// on the score sheet, in the flights window and by the command line.
std::string journalSentence(const journal::JournalNotice &notice);

// Why the journal could not be read, kept, changed or backed up, as the
// official reads it in a window's status line, a message or the command line.
std::string journalSentence(const journal::JournalProblem &problem);
// A failure the official is told of: a journal's problem in the words above,
// any other in its own.
std::string journalSentence(const std::exception &failure);

// A file's name as the official's system writes it, for a sentence.
std::string shownFileName(const std::string &fileName);

// Why a file the official named is neither read nor written: it is the
// journal, its log or its index (journal::isJournalFile), which only SQLite
// opens.
inline constexpr const char *theJournalItself = "that is the flight journal itself";

} // namespace orlo
