#pragma once

#include "contest_journal.h"
#include "journal_reader.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace orlo {

class ContestantPicker;

// Corrects one flight, nothing deleted: moves it to another contestant or
// another contest and marks it official, attempt or void, with the reason
// kept in its history. Keyboard alone: the picker, the contest, the status,
// the reason, Enter.
class FlightCorrectionDialog final : public QDialog {
    Q_OBJECT
public:
    // entries: the entry list as read, offered for the contestant; season:
    // the journal's contests, offered for the contest, the flight's being
    // flightContest.
    FlightCorrectionDialog(journal::ContestJournal &contest, std::vector<contest::Entry> entries,
                           const std::vector<journal::SeasonContest> &season, std::int64_t flightContest,
                           const journal::FlightRow &flight, QWidget *parent);

    // Makes the changes asked for; a change refused is said in the dialog, which stays open.
    void accept() override;

private:
    journal::ContestJournal &m_contest;
    journal::FlightRow m_flight;
    std::int64_t m_flightContest = 0;
    ContestantPicker *m_contestant = nullptr;
    QComboBox *m_inContest = nullptr;
    QComboBox *m_status = nullptr;
    QLineEdit *m_reason = nullptr;
    QLabel *m_refusal = nullptr;
};

} // namespace orlo
