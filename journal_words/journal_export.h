#pragma once

#include "journal_notice.h"

#include <string>

namespace orlo {

// What an export, a backup or a merge did, in one sentence for the official.
struct JournalExport {
    bool done = false;
    std::string sentence;
    journal::JournalNotice notice; // an older journal carried forward as it was read
};

} // namespace orlo
