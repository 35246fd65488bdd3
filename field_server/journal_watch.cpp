#include "journal_watch.h"

#include "journal_reader.h"

namespace orlo {

JournalWatch::JournalWatch(const std::string &journalPath, int intervalMs, QObject *parent)
    : QObject(parent), m_reader(std::make_unique<journal::JournalReader>(journalPath))
{
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &JournalWatch::look);
    m_timer.start();
}

JournalWatch::~JournalWatch() = default;

void JournalWatch::look()
{
    long long now = -1;
    try {
        now = m_reader->dataVersion();
    } catch (const std::exception &) {
        // A journal that cannot be read now is read again by the pages, which say so.
        now = -2;
    }
    if (now != m_seen) {
        m_seen = now;
        emit changed();
    }
}

} // namespace orlo
