#pragma once

#include "journal_notice.h"

#include <string>

namespace orlo {

// What befell the journal, in one or two sentences for the official: shown
// on the score sheet, in the flights window and by the command line.
std::string journalSentence(const journal::JournalNotice &notice);

} // namespace orlo
