#pragma once

#include "contest_changes.h"
#include "contest_journal.h"
#include "journal_reader.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace orlo {

class EntryListWindow;

// The director's corrections from the flights window: a flight moved to
// another contestant or marked attempt or void, and the entry list, each
// told to changes.
class ContestCorrections final : public QObject {
    Q_OBJECT
public:
    ContestCorrections(const journal::JournalReader &reader, journal::ContestJournal &contest, ContestChanges &changes,
                       QWidget &window);

    // Opens the correction of a flight, blocking the window alone.
    void correct(const journal::FlightRow &flight);
    // The sheet the entry list first opens beside, as the flights window does.
    void setSheet(QWidget &sheet) { m_sheet = &sheet; }
    // Opens the entry list, made at its first opening.
    void openEntryList();
    // The entry list, if open, reads the entries it could not read before.
    void reloadEntryListIfUnread();

signals:
    // The entry list could not be read; problem says why.
    void readFailed(const QString &problem);

private:
    const journal::JournalReader &m_reader;
    journal::ContestJournal &m_contest;
    ContestChanges &m_changes;
    QWidget &m_window;
    QPointer<QWidget> m_sheet;
    EntryListWindow *m_entryList = nullptr;
};

} // namespace orlo
