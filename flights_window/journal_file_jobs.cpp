#include "journal_file_jobs.h"

#include "file_dialog.h"
#include "flight_export_job.h"
#include "journal_exports.h"
#include "journal_words.h"
#include "shown_text.h"
#include "table_merge.h"

#include <QDir>
#include <QPushButton>
#include <QWidget>

#include <utility>

namespace orlo {

JournalFileJobs::JournalFileJobs(journal::FlightJournal &journal, ContestChanges &changes, QWidget &window,
                                 std::function<journal::FlightFilter()> shownFlights)
    : QObject(&window), m_journal(journal), m_changes(changes), m_window(window), m_shownFlights(std::move(shownFlights)),
      m_job(new FlightExportJob(this))
{
    m_export = new QPushButton(QStringLiteral("E&xport CSV…"), &window);
    m_export->setObjectName(QStringLiteral("ExportCsv"));
    m_backup = new QPushButton(QStringLiteral("&Back up journal…"), &window);
    m_backup->setObjectName(QStringLiteral("BackUpJournal"));
    m_merge = new QPushButton(QStringLiteral("&Merge another scoring table…"), &window);
    m_merge->setObjectName(QStringLiteral("MergeTable"));
    m_merge->setToolTip(QStringLiteral("Bring the flights, entries and corrections of another scoring table's journal, "
                                       "or a backup of one, into this journal"));

    connect(m_export, &QPushButton::clicked, this, [this] {
        const std::string day = m_shownFlights().day;
        chooseFile(QStringLiteral("Export CSV…"),
                   day.empty() ? QStringLiteral("flights.csv") : QStringLiteral("flights-%1.csv").arg(shownText(day)),
                   QStringLiteral("CSV files (*.csv);;All files (*)"), QFileDialog::AcceptSave,
                   &JournalFileJobs::exportTo);
    });
    connect(m_backup, &QPushButton::clicked, this, [this] {
        chooseFile(QStringLiteral("Back up journal…"), QStringLiteral("journal-backup.sqlite"),
                   QStringLiteral("Flight journals (*.sqlite);;All files (*)"), QFileDialog::AcceptSave,
                   &JournalFileJobs::backUpTo);
    });
    connect(m_merge, &QPushButton::clicked, this, [this] {
        chooseFile(QStringLiteral("Merge another scoring table…"), QString(),
                   QStringLiteral("Flight journals (*.sqlite);;All files (*)"), QFileDialog::AcceptOpen,
                   &JournalFileJobs::mergeFrom);
    });
    connect(m_job, &FlightExportJob::finished, this, &JournalFileJobs::ended);
}

JournalFileJobs::~JournalFileJobs() = default;

// A file to write is named for the official to change; a file to read must be there.
void JournalFileJobs::chooseFile(const QString &title, const QString &suggested, const QString &filter,
                                 QFileDialog::AcceptMode mode, void (JournalFileJobs::*then)(const QString &))
{
    QFileDialog *dialog = fileDialog(&m_window, title, QDir::homePath(), filter);
    dialog->setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen)
        dialog->setFileMode(QFileDialog::ExistingFile);
    if (!suggested.isEmpty())
        dialog->selectFile(suggested);
    connect(dialog, &QFileDialog::fileSelected, this, then);
    dialog->open();
}

void JournalFileJobs::exportTo(const QString &fileName)
{
    runBeside(QStringLiteral("Exporting to %1…").arg(QDir::toNativeSeparators(fileName)),
              [journal = m_journal.path(), filter = m_shownFlights(), fileName = fileName.toStdString()] {
                  return exportFlightsCsv(journal, filter, fileName);
              });
}

void JournalFileJobs::backUpTo(const QString &fileName)
{
    runBeside(QStringLiteral("Backing up the journal to %1…").arg(QDir::toNativeSeparators(fileName)),
              [journal = m_journal.path(), fileName = fileName.toStdString()] {
                  return backUpJournalTo(journal, fileName);
              });
}

void JournalFileJobs::mergeFrom(const QString &fileName)
{
    runBeside(QStringLiteral("Merging %1 into the journal…").arg(QDir::toNativeSeparators(fileName)),
              [journal = m_journal.path(), fileName = fileName.toStdString()] {
                  return mergeTableInto(journal, fileName);
              },
              Changes::Journal);
}

void JournalFileJobs::runBeside(const QString &doing, std::function<JournalExport()> job, Changes changes)
{
    if (!m_job->start(std::move(job)))
        return;
    m_merging = changes == Changes::Journal;
    enableButtons(false);
    m_doing = doing;
    emit started();
}

void JournalFileJobs::ended(const JournalExport &outcome)
{
    enableButtons(true);
    const QString sentence = QString::fromStdString(outcome.sentence);
    m_doing = !outcome.notice
        ? sentence
        : QString::fromStdString(journalSentence(outcome.notice)) + QLatin1Char(' ') + sentence;
    if (std::exchange(m_merging, false) && outcome.done)
        m_changes.tell(ContestChange::Merge);
    emit finished(outcome.done, sentence);
}

void JournalFileJobs::enableButtons(bool enabled)
{
    m_export->setEnabled(enabled);
    m_backup->setEnabled(enabled);
    m_merge->setEnabled(enabled);
}

} // namespace orlo

#include "moc_journal_file_jobs.cpp"
#include "table_merge.h"
