#include "now_flying.h"

#include "contestant_picker.h"
#include "flight_order.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "shown_text.h"

#include <optional>

namespace orlo {

NowFlying::NowFlying(const journal::JournalReader &reader, journal::ContestJournal &contest, QWidget &window)
    : QObject(&window), m_reader(reader), m_contest(contest), m_picker(new ContestantPicker(&window))
{
    m_picker->setObjectName(QStringLiteral("NowFlying"));
    connect(m_picker, &ContestantPicker::picked, this, &NowFlying::name);
}

void NowFlying::pick()
{
    try {
        m_picker->setEntries(m_reader.entries());
        // The pilot called next is offered first, taken with Enter; typing
        // names anyone else as before. A pilot named who has not flown yet stays.
        const std::optional<contest::Entry> named = m_picker->entryNamed();
        const std::vector<contest::ScoredFlight> flown = m_reader.scoredFlights(); // newest first
        if (m_picker->text().trimmed().isEmpty() || (named && !flown.empty() && flown.front().entry == named->id))
            for (const contest::Call &call : contest::upNext(
                     contest::callList(m_reader.contest(), m_reader.flightOrder(), m_picker->entries(), flown), {}, 1))
                for (const contest::Entry &entry : m_picker->entries())
                    if (entry.id == call.entry)
                        m_picker->setText(offeredText(entry));
    } catch (const journal::JournalProblem &problem) {
        emit readFailed(shownText(journalSentence(problem)));
    }
    m_picker->setFocus(Qt::ShortcutFocusReason);
    m_picker->selectAll();
}

void NowFlying::clear()
{
    m_picker->clear();
}

// The entry picked, a new one confirmed, or nobody when the line is cleared.
void NowFlying::name()
{
    std::optional<std::int64_t> entry = 0;
    if (!m_picker->text().trimmed().isEmpty())
        entry = confirmedEntry(*m_picker, m_contest);
    if (!entry)
        return;
    try {
        for (const contest::Entry &listed : m_reader.entries())
            if (listed.id == *entry)
                m_picker->setText(offeredText(listed));
    } catch (const journal::JournalProblem &problem) {
        emit readFailed(shownText(journalSentence(problem)));
    }
    emit named(*entry);
}

} // namespace orlo

#include "moc_now_flying.cpp"
