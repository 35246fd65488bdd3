#include "contest_corrections.h"

#include "entry_list_window.h"
#include "flight_correction_dialog.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "shown_text.h"
#include "window_place.h"

namespace orlo {

ContestCorrections::ContestCorrections(const journal::JournalReader &reader, journal::ContestJournal &contest,
                                       ContestChanges &changes, QWidget &window)
    : QObject(&window), m_reader(reader), m_contest(contest), m_changes(changes), m_window(window)
{
}

void ContestCorrections::correct(const journal::FlightRow &flight)
{
    FlightCorrectionDialog *dialog = nullptr;
    try {
        const std::vector<journal::SeasonContest> season = m_reader.contests();
        // The contest the window shows: the one chosen, else the current one.
        std::int64_t shown = m_reader.chosenContest();
        if (shown == 0)
            shown = journal::currentOf(season);
        dialog = new FlightCorrectionDialog(m_contest, m_reader.entries(), season, shown, flight, &m_window);
    } catch (const journal::JournalProblem &problem) {
        emit readFailed(shownText(journalSentence(problem)));
        return;
    }
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] { m_changes.tell(ContestChange::Correction); });
    dialog->open();
}

void ContestCorrections::openEntryList()
{
    if (!m_entryList) {
        m_entryList = new EntryListWindow(m_reader, m_contest, m_changes, &m_window);
        // Where the director put it last time, else beside the sheet like the
        // flights window: placed whole at the flights window's corner, it was
        // pushed back over the sheet's right part.
        if (!restorePlace(*m_entryList, QStringLiteral("entries"), m_sheet)) {
            if (m_sheet)
                placeBeside(*m_entryList, *m_sheet);
            else
                placeWhole(*m_entryList, m_window);
        }
        keepPlace(*m_entryList, QStringLiteral("entries"));
    }
    m_entryList->show();
    m_entryList->raise();
    m_entryList->activateWindow();
}

void ContestCorrections::reloadEntryListIfUnread()
{
    if (m_entryList)
        m_entryList->reloadIfUnread();
}

} // namespace orlo

#include "moc_contest_corrections.cpp"
