#include "contest_changes.h"

namespace orlo {

// Often enough that another program's flight shows within a second, with
// the windows' own short wait to gather a burst; a look costs a read of the
// log's index, no file read.
constexpr int lookIntervalMs = 300;

ContestChanges::ContestChanges(std::string journalPath, QObject *parent)
    : QObject(parent), m_version(std::move(journalPath))
{
    m_looking.setInterval(lookIntervalMs);
    connect(&m_looking, &QTimer::timeout, this, &ContestChanges::look);
}

void ContestChanges::tell(ContestChange what)
{
    if (m_looking.isActive())
        m_version.settle();
    emit changed(what);
}

void ContestChanges::watch()
{
    if (m_looking.isActive())
        return;
    m_version.settle();
    m_looking.start();
}

void ContestChanges::look()
{
    if (m_version.changed())
        emit changed(ContestChange::AnotherProgram);
}

} // namespace orlo

#include "moc_contest_changes.cpp"
