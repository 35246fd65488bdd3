#include "entry_list_window.h"

#include "contest_lists.h"
#include "journal_words.h"
#include "contestant_names.h"
#include "registration_import.h"
#include "file_dialog.h"
#include "shown_text.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTableWidget>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

namespace {

// Classes as a cell shows them, and as the director types them: "Class I / Profile".
QString shownClasses(const std::vector<std::string> &classes)
{
    QStringList shown;
    for (const std::string &eventClass : classes)
        shown << shownText(eventClass);
    return shown.join(QStringLiteral(" / "));
}

const QString typeToAdd = QStringLiteral("Type a name in the last row to add a contestant.");

} // namespace

EntryListWindow::EntryListWindow(const journal::JournalReader &reader, journal::ContestJournal &contest,
                                 ContestChanges &changes, QWidget *parent)
    : QWidget(parent, Qt::Window), m_reader(reader), m_contest(contest), m_changes(changes)
{
    setWindowTitle(QStringLiteral("Entry list"));
    setAttribute(Qt::WA_QuitOnClose, false);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("Entries"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Classes"),
                                        QStringLiteral("Flights")});
    m_table->verticalHeader()->hide();
    // Beside the sheet on a screen 1280 pixels wide the list has some 400
    // pixels: the number, classes and flights show whole, the name takes the
    // rest and is cut short first.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_import = new QPushButton(QStringLiteral("&Import CSV…"), this);
    m_merge = new QPushButton(QStringLiteral("&Merge into…"), this);
    auto *remove = new QPushButton(QStringLiteral("Remove"), this);
    remove->setToolTip(QStringLiteral("Removes an entry without flights (Delete)"));
    m_status = new QLabel(typeToAdd, this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("Search"));
    m_search->setPlaceholderText(QStringLiteral("Find a name or number"));
    m_search->setAccessibleName(QStringLiteral("Find a name or number"));
    m_search->setClearButtonEnabled(true);

    // The search on a line of its own: between the buttons its hint was cut short.
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_import);
    buttons->addStretch(1);
    buttons->addWidget(m_merge);
    buttons->addWidget(remove);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_search);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    resize(560, 480);

    connect(m_search, &QLineEdit::textChanged, this, &EntryListWindow::showFound);
    connect(m_table, &QTableWidget::itemChanged, this, &EntryListWindow::edited);
    connect(remove, &QPushButton::clicked, this, &EntryListWindow::removeChosen);
    connect(m_merge, &QPushButton::clicked, this, &EntryListWindow::mergeChosen);
    auto *deleteKey = new QShortcut(QKeySequence::Delete, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, &EntryListWindow::removeChosen);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    m_importer = new RegistrationImport(m_reader, [this] { return m_listed; }, this);
    connect(m_importer, &RegistrationImport::said, m_status, &QLabel::setText);
    connect(m_importer, &RegistrationImport::underWay, m_import,
            [this](bool importing) { m_import->setEnabled(!importing); });
    connect(m_importer, &RegistrationImport::imported, this, [this] {
        reload();
        m_changes.tell(ContestChange::Entries);
    });
    connect(m_import, &QPushButton::clicked, this, [this] {
        QFileDialog *dialog = fileDialog(this, QStringLiteral("Import CSV…"), QDir::homePath(),
                                         QStringLiteral("Registration files (*.csv);;All files (*)"));
        dialog->setFileMode(QFileDialog::ExistingFile);
        connect(dialog, &QFileDialog::fileSelected, this, &EntryListWindow::importFrom);
        dialog->open();
    });
    // Read once for a burst of changes, after the edit or import that told one has returned; a
    // change told while the window is hidden or a cell is edited, once it is shown or the edit ends.
    connect(&m_changes, &ContestChanges::changed, this, [this](ContestChange what) {
        if (what != ContestChange::FlightEnded && !std::exchange(m_stale, true)) // no entry nor count changes
            QMetaObject::invokeMethod(this, &EntryListWindow::reloadIfStale, Qt::QueuedConnection);
    });
    connect(m_table->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, &EntryListWindow::reloadIfStale,
            Qt::QueuedConnection);
    reload();
}

void EntryListWindow::reloadIfStale()
{
    // The cell being edited keeps what the director typed: its editor is
    // the window's focus, in the table's viewport.
    const QWidget *focused = focusWidget();
    const bool editing = focused && focused != m_table->viewport() && m_table->viewport()->isAncestorOf(focused);
    if (m_stale && isVisible() && !editing)
        reload();
}

void EntryListWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    reloadIfStale();
}

void EntryListWindow::reload()
{
    m_stale = false;
    std::vector<contest::Entry> entries;
    try {
        // The list read is the current contest's, read again should another
        // program make another contest current between the reads.
        std::int64_t listed = 0;
        std::string name;
        do {
            listed = journal::currentOf(m_reader.contests());
            entries = m_reader.entries();
            name = m_reader.contest().name;
        } while (journal::currentOf(m_reader.contests()) != listed);
        m_listed = listed;
        // The contest whose entry list this is, once it has a name.
        const QString contest = shownText(name);
        setWindowTitle(contest.isEmpty() ? QStringLiteral("Entry list") : QStringLiteral("Entry list: %1").arg(contest));
    } catch (const std::exception &problem) {
        m_status->setText(QStringLiteral("The entry list could not be read: %1").arg(shownText(journalSentence(problem))));
        m_unread = true;
        return;
    }
    if (std::exchange(m_unread, false))
        m_status->setText(typeToAdd);
    m_filling = true;
    m_table->setRowCount(static_cast<int>(entries.size()) + 1);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const contest::Entry *entry = row < static_cast<int>(entries.size()) ? &entries[std::size_t(row)] : nullptr;
        const QStringList cells = entry ? QStringList{shownText(entry->name), shownText(entry->number),
                                                      shownClasses(entry->classes), QString::number(entry->flights)}
                                        : QStringList(ColumnCount, QString());
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, qlonglong(entry ? entry->id : 0));
            if (column == Flights || (!entry && column != Name))
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_filling = false;
    showFound();
}

void EntryListWindow::showFound()
{
    // The last row, where a name is typed to add it, stays in view.
    const int listed = m_table->rowCount() - 1;
    std::vector<std::string> names(std::size_t(std::max(listed, 0)));
    std::vector<std::string> numbers(names.size());
    std::vector<contest::NameAndNumber> searched;
    for (int row = 0; row < listed; ++row) {
        names[std::size_t(row)] = m_table->item(row, Name)->text().toStdString();
        numbers[std::size_t(row)] = m_table->item(row, Number)->text().toStdString();
        searched.push_back({names[std::size_t(row)], numbers[std::size_t(row)]});
    }
    std::vector<bool> found(searched.size(), false);
    for (const std::size_t row : contest::completions(searched, m_search->text().toStdString()))
        found[row] = true;
    for (int row = 0; row < listed; ++row)
        m_table->setRowHidden(row, !found[std::size_t(row)]);
}

void EntryListWindow::reloadIfUnread()
{
    if (m_unread)
        reload();
}

std::int64_t EntryListWindow::chosenEntry() const
{
    const QTableWidgetItem *item = m_table->item(m_table->currentRow(), Name);
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void EntryListWindow::refuse(const std::exception &refusal)
{
    m_status->setText(shownText(journalSentence(refusal)));
    reload();
}

void EntryListWindow::edited(QTableWidgetItem *item)
{
    if (m_filling)
        return;
    const std::int64_t entry = item->data(Qt::UserRole).toLongLong();
    const std::string typed = item->text().toStdString();
    try {
        if (entry == 0) {
            m_contest.chooseContest(m_listed);
            const auto followCurrent = qScopeGuard([this] { m_contest.chooseContest(0); });
            m_contest.add({typed, {}, {}});
        } else if (item->column() == Name)
            m_contest.rename(entry, typed);
        else if (item->column() == Number)
            m_contest.setNumber(entry, typed);
        else if (item->column() == Classes)
            m_contest.setClasses(entry, contest::classesIn(item->text().toStdString()));
    } catch (const std::exception &refusal) {
        // Queued: the table is still delivering the edit.
        const QString sentence = shownText(journalSentence(refusal));
        QMetaObject::invokeMethod(this, [this, sentence] { refuse(std::runtime_error(sentence.toStdString())); },
                                  Qt::QueuedConnection);
        return;
    }
    m_status->setText(entry == 0 ? QStringLiteral("Added %1.").arg(item->text().trimmed()) : QString());
    const int row = item->row();
    QMetaObject::invokeMethod(this, [this, row] {
        reload();
        m_table->setCurrentCell(row, Name);
    }, Qt::QueuedConnection);
    m_changes.tell(ContestChange::Entries);
}

void EntryListWindow::removeChosen()
{
    const std::int64_t entry = chosenEntry();
    if (entry == 0)
        return;
    try {
        m_contest.remove(entry);
    } catch (const std::exception &refusal) {
        refuse(refusal);
        return;
    }
    m_status->setText(QStringLiteral("Removed %1.").arg(m_table->item(m_table->currentRow(), Name)->text()));
    reload();
    m_changes.tell(ContestChange::Entries);
}

void EntryListWindow::mergeChosen()
{
    const std::int64_t from = chosenEntry();
    if (from == 0)
        return;
    QStringList others;
    std::vector<std::int64_t> ids;
    for (int row = 0; row + 1 < m_table->rowCount(); ++row) {
        const QTableWidgetItem *item = m_table->item(row, Name);
        if (item->data(Qt::UserRole).toLongLong() != from) {
            others << item->text() + QLatin1Char(' ') + m_table->item(row, Number)->text();
            ids.push_back(item->data(Qt::UserRole).toLongLong());
        }
    }
    bool chosen = false;
    const QString name = m_table->item(m_table->currentRow(), Name)->text();
    const QString into = QInputDialog::getItem(this, QStringLiteral("Merge %1").arg(name),
                                               QStringLiteral("Merge %1 and its flights into:").arg(name), others, 0,
                                               false, &chosen);
    if (!chosen)
        return;
    try {
        m_contest.merge(from, ids[std::size_t(others.indexOf(into))]);
    } catch (const std::exception &refusal) {
        refuse(refusal);
        return;
    }
    m_status->setText(QStringLiteral("Merged %1 into %2.").arg(name, into.trimmed()));
    reload();
    m_changes.tell(ContestChange::Entries);
}

void EntryListWindow::importFrom(const QString &fileName)
{
    m_importer->importFrom(fileName);
}

} // namespace orlo

#include "moc_entry_list_window.cpp"
