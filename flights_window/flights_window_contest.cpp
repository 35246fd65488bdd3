// The flights window's part in running a contest: naming the contestant
// flying next, correcting a flight, and the entry list.
#include "flights_window.h"

#include "contestant_picker.h"
#include "entry_list_window.h"
#include "flight_correction_dialog.h"
#include "flight_table_model.h"
#include "journal_schema.h"

#include <QTableView>

namespace orlo {

void FlightsWindow::pickNowFlying()
{
    try {
        m_nowFlying->setEntries(m_reader.entries());
    } catch (const journal::JournalProblem &problem) {
        showProblem(problem);
    }
    m_nowFlying->setFocus(Qt::ShortcutFocusReason);
    m_nowFlying->selectAll();
}

// The entry picked, a new one confirmed, or nobody when the line is cleared.
void FlightsWindow::nameNowFlying()
{
    std::optional<std::int64_t> entry = 0;
    if (!m_nowFlying->text().trimmed().isEmpty())
        entry = confirmedEntry(*m_nowFlying, m_contest);
    if (!entry)
        return;
    try {
        for (const journal::Entry &listed : m_reader.entries())
            if (listed.id == *entry)
                m_nowFlying->setText(offeredText(listed));
    } catch (const journal::JournalProblem &problem) {
        showProblem(problem);
    }
    emit nowFlying(*entry);
    // A new entry joins the contestant filter.
    journalChanged();
}

void FlightsWindow::correctChosenFlight()
{
    const int row = m_view->currentIndex().row();
    if (row < 0 || row >= m_model->rowCount())
        return;
    FlightCorrectionDialog *dialog = nullptr;
    try {
        dialog = new FlightCorrectionDialog(m_contest, m_reader.entries(), m_model->flights()[static_cast<std::size_t>(row)],
                                            this);
    } catch (const journal::JournalProblem &problem) {
        showProblem(problem);
        return;
    }
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, &FlightsWindow::journalChanged);
    connect(dialog, &QDialog::accepted, this, &FlightsWindow::contestChanged);
    dialog->open();
}

void FlightsWindow::openEntryList()
{
    if (!m_entryList) {
        m_entryList = new EntryListWindow(m_reader, m_contest, this);
        connect(m_entryList, &EntryListWindow::entriesChanged, this, &FlightsWindow::journalChanged);
        connect(m_entryList, &EntryListWindow::entriesChanged, this, &FlightsWindow::contestChanged);
    }
    m_entryList->show();
    m_entryList->raise();
    m_entryList->activateWindow();
}

} // namespace orlo
