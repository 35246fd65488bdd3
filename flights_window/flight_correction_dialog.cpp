#include "flight_correction_dialog.h"

#include "contestant_picker.h"
#include "flight_table_model.h"
#include "journal_words.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orlo {

FlightCorrectionDialog::FlightCorrectionDialog(journal::ContestJournal &contest, std::vector<contest::Entry> entries,
                                               const std::vector<journal::SeasonContest> &season,
                                               std::int64_t flightContest, const journal::FlightRow &flight,
                                               QWidget *parent)
    : QDialog(parent), m_contest(contest), m_flight(flight), m_flightContest(flightContest)
{
    setWindowTitle(QStringLiteral("Correct flight %1").arg(flight.id));
    m_contestant = new ContestantPicker(this);
    m_contestant->setObjectName(QStringLiteral("CorrectedContestant"));
    m_contestant->setEntries(std::move(entries));
    for (const contest::Entry &entry : m_contestant->entries())
        if (entry.id == flight.entry)
            m_contestant->setText(offeredText(entry));
    // A flight recorded into the wrong contest of the season goes to its own.
    m_inContest = new QComboBox(this);
    m_inContest->setObjectName(QStringLiteral("CorrectedContest"));
    for (const journal::SeasonContest &each : season)
        m_inContest->addItem(shownText(each.name), QVariant::fromValue<qint64>(each.id));
    m_inContest->setCurrentIndex(std::max(0, m_inContest->findData(QVariant::fromValue<qint64>(flightContest))));
    m_status = new QComboBox(this);
    m_status->setObjectName(QStringLiteral("CorrectedStatus"));
    for (const contest::FlightStatus status :
         {contest::FlightStatus::Official, contest::FlightStatus::Attempt, contest::FlightStatus::Void}) {
        QString shown = shownText(contest::statusName(status));
        shown[0] = shown[0].toUpper();
        m_status->addItem(shown, shownText(contest::statusName(status)));
    }
    m_status->setCurrentIndex(std::max(0, m_status->findData(shownText(contest::statusName(flight.status)))));
    m_reason = new QLineEdit(this);
    m_reason->setObjectName(QStringLiteral("CorrectionReason"));
    m_reason->setPlaceholderText(QStringLiteral("re-fly granted, test flight, scored twice…"));
    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("Refusal"));
    m_refusal->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Correct"));
    auto *form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("%1, scored %2").arg(shownTime(flight.last.recordedAt),
                                                                 shownText(flight.last.values.score)),
                            this));
    form->addRow(QStringLiteral("&Contestant:"), m_contestant);
    form->addRow(QStringLiteral("Con&test:"), m_inContest);
    form->addRow(QStringLiteral("&Status:"), m_status);
    form->addRow(QStringLiteral("&Reason:"), m_reason);
    form->addRow(m_refusal);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FlightCorrectionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter on an offer takes the offer; Enter once more corrects the flight.
    connect(m_contestant, &ContestantPicker::picked, this, [this] { m_status->setFocus(); });
}

void FlightCorrectionDialog::accept()
{
    const std::string reason = m_reason->text().toStdString();
    const auto status = contest::statusNamed(m_status->currentData().toString().toStdString());
    try {
        if (m_contestant->text().trimmed().isEmpty() && m_flight.entry != 0)
            throw journal::EntryRefused("Name the contestant the flight is moved to.");
        if (!m_contestant->text().trimmed().isEmpty()) {
            const std::optional<std::int64_t> entry = confirmedEntry(*m_contestant, m_contest);
            if (!entry)
                return;
            if (*entry != m_flight.entry) {
                m_contest.moveFlight(m_flight.id, *entry, reason);
                m_flight.entry = *entry;
            }
        }
        const std::int64_t inContest = m_inContest->currentData().toLongLong();
        if (m_inContest->currentIndex() >= 0 && inContest != m_flightContest) {
            m_contest.moveToContest(m_flight.id, inContest, reason);
            m_flightContest = inContest;
        }
        if (status && *status != m_flight.status) {
            m_contest.setStatus(m_flight.id, *status, reason);
            m_flight.status = *status;
        }
    } catch (const std::exception &refused) {
        m_refusal->setText(shownText(journalSentence(refused)));
        return;
    }
    QDialog::accept();
}

} // namespace orlo

#include "moc_flight_correction_dialog.cpp"
