#pragma once

#include "contest_journal.h"
#include "journal_reader.h"

#include <QObject>

#include <cstdint>

class QWidget;

namespace orlo {

class ContestantPicker;

// "Now flying": the contestant the director names as the next to fly, picked
// from the entry list or added to it once confirmed.
class NowFlying final : public QObject {
    Q_OBJECT
public:
    // The picker is the window's control, made here for its layout.
    NowFlying(const journal::JournalReader &reader, journal::ContestJournal &contest, QWidget &window);

    ContestantPicker *picker() const { return m_picker; }
    // Takes the keyboard to the picker, its text chosen, the entry list read
    // afresh for its offers.
    void pick();
    // The contestant who flew is no longer the one flying.
    void clear();

signals:
    // The director named the contestant flying next (0: nobody named).
    void named(std::int64_t entry);
    // The entry list could not be read; problem says why.
    void readFailed(const QString &problem);

private:
    void name();

    const journal::JournalReader &m_reader;
    journal::ContestJournal &m_contest;
    ContestantPicker *m_picker = nullptr;
};

} // namespace orlo
