#include "journal_in_use_mark.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace orlo {

namespace {

// The same file reached by a link or another spelling of its path is the
// same journal; one not written yet is named by its absolute path.
QString markFor(const QString &journalPath, const QString &folder)
{
    const QFileInfo journal(journalPath);
    const QString canonical = journal.exists() ? journal.canonicalFilePath() : journal.absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("orlo-score-journal-%1.lock").arg(QString::fromLatin1(hash)));
}

} // namespace

JournalInUseMark::JournalInUseMark(const QString &journalPath, const QString &folder)
    : m_lock(markFor(journalPath, folder))
{
    // Held as long as the program runs: never stale while it does.
    m_lock.setStaleLockTime(0);
    QDir().mkpath(folder);
    m_heldElsewhere = !m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError;
}

} // namespace orlo
