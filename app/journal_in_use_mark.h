#pragma once

#include <QLockFile>
#include <QString>

namespace orlo {

// Tells a program whether another Orlo Score program has the same journal
// open: a small lock file named for the journal's canonical path, in the
// user's runtime folder. Nothing but SQLite opens the journal's own files,
// so the mark is never beside the journal. A program that ended without
// removing its mark leaves it stale, and the next one takes it over.
class JournalInUseMark {
public:
    JournalInUseMark(const QString &journalPath, const QString &folder);
    // True when another running program held the mark as this one started.
    bool heldElsewhere() const { return m_heldElsewhere; }

private:
    QLockFile m_lock;
    bool m_heldElsewhere = false;
};

} // namespace orlo
