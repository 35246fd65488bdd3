// The flights window's export and backup, which run beside the sheet.
#include "flights_window.h"

#include "file_dialog.h"
#include "flight_table_model.h"
#include "journal_exports.h"
#include "journal_words.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QThread>

#include <memory>

namespace orlo {

using journal::FlightFilter;

void FlightsWindow::chooseFile(const QString &title, const QString &suggested, const QString &filter,
                               void (FlightsWindow::*then)(const QString &))
{
    QFileDialog *dialog = fileDialog(this, title, QDir::homePath(), filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectFile(suggested);
    connect(dialog, &QFileDialog::fileSelected, this, then);
    dialog->open();
}

void FlightsWindow::exportTo(const QString &fileName)
{
    const FlightFilter filter = m_model->filter();
    runBeside(QStringLiteral("Exporting to %1…").arg(QDir::toNativeSeparators(fileName)),
              [journal = m_journal.path(), filter, fileName = fileName.toStdString()] {
                  return exportFlightsCsv(journal, filter, fileName);
              });
}

void FlightsWindow::backUpTo(const QString &fileName)
{
    runBeside(QStringLiteral("Backing up the journal to %1…").arg(QDir::toNativeSeparators(fileName)),
              [journal = m_journal.path(), fileName = fileName.toStdString()] {
                  return backUpJournalTo(journal, fileName);
              });
}

// A season's flights take seconds to read and write: the work runs on a
// thread of its own, over a connection of its own, and the sheet scores on.
void FlightsWindow::runBeside(const QString &doing, std::function<JournalExport()> job)
{
    if (m_job)
        return;
    auto outcome = std::make_shared<JournalExport>();
    m_job = QThread::create([job = std::move(job), outcome] { *outcome = job(); });
    m_job->setParent(this);
    m_export->setEnabled(false);
    m_backup->setEnabled(false);
    m_exported = doing;
    showCount();
    connect(m_job, &QThread::finished, this, [this, outcome] {
        m_job->deleteLater();
        m_job = nullptr;
        m_export->setEnabled(true);
        m_backup->setEnabled(true);
        const QString sentence = QString::fromStdString(outcome->sentence);
        m_exported = !outcome->notice
            ? sentence
            : QString::fromStdString(journalSentence(outcome->notice)) + QLatin1Char(' ') + sentence;
        showCount();
        emit jobFinished(outcome->done, sentence);
    });
    m_job->start();
}

} // namespace orlo
