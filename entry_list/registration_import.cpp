#include "registration_import.h"

#include "import_preview.h"
#include "journal_files.h"
#include "journal_words.h"
#include "shown_text.h"
#include "window_place.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QThread>

#include <algorithm>
#include <memory>

namespace orlo {

namespace {

// What an import on its own thread came to.
struct Imported {
    std::vector<std::string> problems;
    journal::ImportOutcome outcome;
};

void importOnItsThread(const std::vector<journal::RegistrationRow> &rows, const std::string &journalPath,
                       std::int64_t listed, Imported &imported)
{
    try {
        journal::ContestJournal contest(journalPath);
        contest.chooseContest(listed);
        imported.outcome = contest.importEntries(rows);
        imported.problems = imported.outcome.problems;
    } catch (const std::exception &problem) {
        imported.problems = {journalSentence(problem)};
    }
}

} // namespace

RegistrationImport::RegistrationImport(const journal::JournalReader &reader, std::function<std::int64_t()> listed,
                                       QWidget *window)
    : QObject(window), m_reader(reader), m_listed(std::move(listed)), m_window(window)
{
}

RegistrationImport::~RegistrationImport()
{
    if (m_importing) {
        m_importing->wait();
        delete m_importing;
    }
}

void RegistrationImport::importFrom(const QString &fileName)
{
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (m_importing) {
        emit said(QStringLiteral("An import is under way; import %1 once it is done.").arg(shownName));
        return;
    }
    // Told by stat() alone: opening the journal's own file here and closing
    // it would drop this program's locks on the journal (see file_dialog.cpp).
    if (journal::isJournalFile(fileName.toStdString(), m_reader.path())) {
        emit said(QStringLiteral("Cannot import %1: %2. Nothing was imported.")
                      .arg(shownName, QLatin1String(theJournalItself)));
        return;
    }
    // A registration file is a few kilobytes: read here, and shown before anything is added.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        tellImported(fileName, file.errorString(), {}, {}, {});
        return;
    }
    QByteArray bytes = file.readAll();
    file.close();
    // The entries and flights, for the classes the file would change; the
    // import itself says the changes should they be unread here.
    std::vector<contest::Entry> listed;
    std::vector<contest::ScoredFlight> flights;
    try {
        listed = m_reader.entries();
        flights = m_reader.scoredFlights();
    } catch (const std::exception &) {
        listed.clear();
    }
    auto *preview = new ImportPreview(fileName, std::move(bytes), std::move(listed), std::move(flights), m_window);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    // It blocks the entry list alone: the sheet scores on meanwhile.
    preview->setWindowModality(Qt::WindowModal);
    // Whole on the screen, its Import button too: at its size it reached
    // below a 1024×600 screen's foot.
    placeWhole(*preview, *m_window);
    connect(preview, &QDialog::accepted, this, [this, preview, fileName] {
        importRows(fileName, preview->registration());
    });
    preview->open();
}

void RegistrationImport::importRows(const QString &fileName, const Registration &read)
{
    if (m_importing) {
        emit said(QStringLiteral("An import is under way; import %1 once it is done.")
                      .arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    const QString columns = shownText(columnsUsedSaid(read.header, read.columns));
    auto imported = std::make_shared<Imported>();
    m_importing = QThread::create([imported, rows = read.rows, journalPath = m_reader.path(), listed = m_listed()] {
        importOnItsThread(rows, journalPath, listed, *imported);
    });
    // finished comes from the import's thread; with this object as context
    // it is delivered queued, on the window's own thread.
    connect(m_importing, &QThread::finished, this, [this, imported, fileName, columns] {
        m_importing->deleteLater();
        m_importing = nullptr;
        emit underWay(false);
        tellImported(fileName, {}, imported->problems, imported->outcome, columns);
    });
    emit underWay(true);
    emit said(QStringLiteral("Importing %1…").arg(QDir::toNativeSeparators(fileName)));
    m_importing->start();
}

void RegistrationImport::tellImported(const QString &fileName, const QString &unreadable,
                                      const std::vector<std::string> &problems, const journal::ImportOutcome &outcome,
                                      const QString &columns)
{
    if (!unreadable.isEmpty()) {
        emit said(QStringLiteral("Cannot read %1: %2. Nothing was imported.")
                      .arg(QDir::toNativeSeparators(fileName), unreadable));
        return;
    }
    if (!problems.empty()) {
        // A file of a million bad rows is told by its first lines: the box stays on the screen.
        constexpr std::size_t shownLines = 30;
        QStringList lines;
        for (std::size_t line = 0; line < std::min(problems.size(), shownLines); ++line)
            lines << shownText(problems[line]);
        if (problems.size() > shownLines)
            lines << QStringLiteral("… and %1 more lines like these.").arg(problems.size() - shownLines);
        emit said(QStringLiteral("Nothing was imported from %1.").arg(QDir::toNativeSeparators(fileName)));
        // The import ends while the official may be scoring: the message
        // blocks the entry list alone, never the sheet.
        auto *told = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Nothing imported"),
                                     QStringLiteral("Nothing was imported from %1:\n\n%2")
                                         .arg(QDir::toNativeSeparators(fileName), lines.join(QLatin1Char('\n'))),
                                     QMessageBox::Ok, m_window);
        told->setAttribute(Qt::WA_DeleteOnClose);
        told->setWindowModality(Qt::WindowModal);
        told->open();
        return;
    }
    QString changed;
    for (const std::string &change : outcome.changed)
        changed += shownText(change) + QStringLiteral(". ");
    emit said(QStringLiteral("Imported %1: %2 added, %3 already listed. %4%5")
                  .arg(QDir::toNativeSeparators(fileName))
                  .arg(outcome.added)
                  .arg(outcome.alreadyListed)
                  .arg(changed, columns));
    emit imported();
}

} // namespace orlo

#include "moc_registration_import.cpp"
