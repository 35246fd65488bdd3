#include "season_dialogs.h"

#include "contest_journal.h"
#include "journal_reader.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "local_time.h"
#include "season.h"
#include "shown_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <ctime>

namespace orlo {

NewContestDialog::NewContestDialog(std::string journalPath, QWidget *parent)
    : QDialog(parent), m_journalPath(std::move(journalPath))
{
    setWindowTitle(QStringLiteral("New contest"));
    const QString today = QString::fromStdString(journal::localTimeText(std::time(nullptr), "%Y-%m-%d"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("NewContestName"));
    m_name->setPlaceholderText(QStringLiteral("Autumn Carrier Meet"));
    m_firstDay = new QLineEdit(today, this);
    m_firstDay->setObjectName(QStringLiteral("NewContestFirstDay"));
    m_lastDay = new QLineEdit(today, this);
    m_lastDay->setObjectName(QStringLiteral("NewContestLastDay"));
    m_copyEntries = new QCheckBox(QStringLiteral("&Copy the entry list of the current contest"), this);
    m_copyEntries->setObjectName(QStringLiteral("CopyEntries"));
    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("Refusal"));
    m_refusal->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Start the contest"));
    connect(buttons, &QDialogButtonBox::accepted, this, &NewContestDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&First day:"), m_firstDay);
    form->addRow(QStringLiteral("&Last day:"), m_lastDay);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_copyEntries);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);
}

void NewContestDialog::accept()
{
    try {
        journal::ContestJournal(m_journalPath)
            .startContest({m_name->text().toStdString(), m_firstDay->text().trimmed().toStdString(),
                           m_lastDay->text().trimmed().toStdString(), m_copyEntries->isChecked()});
    } catch (const std::exception &refused) {
        m_refusal->setText(shownText(journalSentence(refused)) + QStringLiteral(" No contest was started."));
        return;
    }
    QDialog::accept();
}

namespace {

enum Column { Name, FirstDay, LastDay, Flights, FinalClasses, Current, ColumnCount };

} // namespace

ContestListDialog::ContestListDialog(std::string journalPath, QWidget *parent)
    : QDialog(parent), m_journalPath(std::move(journalPath))
{
    setWindowTitle(QStringLiteral("Contests"));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("Contests"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("First day"), QStringLiteral("Last day"),
                                        QStringLiteral("Flights"), QStringLiteral("Final classes"), QString()});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *current = buttons->addButton(QStringLiteral("&Make current"), QDialogButtonBox::ActionRole);
    current->setObjectName(QStringLiteral("MakeCurrent"));
    QPushButton *startNew = buttons->addButton(QStringLiteral("&New contest…"), QDialogButtonBox::ActionRole);
    startNew->setObjectName(QStringLiteral("NewContest"));
    connect(current, &QPushButton::clicked, this, &ContestListDialog::makeChosenCurrent);
    connect(m_table, &QTableWidget::cellActivated, this, &ContestListDialog::makeChosenCurrent);
    connect(startNew, &QPushButton::clicked, this, &ContestListDialog::startNew);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    resize(640, 320);
    reload();
}

void ContestListDialog::reload()
{
    std::vector<journal::SeasonContest> contests;
    try {
        contests = journal::JournalReader(m_journalPath).contests();
    } catch (const std::exception &problem) {
        m_status->setText(QStringLiteral("The contests could not be read: %1").arg(shownText(journalSentence(problem))));
        return;
    }
    m_status->clear();
    m_table->setRowCount(static_cast<int>(contests.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const journal::SeasonContest &contest = contests[std::size_t(row)];
        const QStringList cells{shownText(contest.name), shownText(contest.firstDay), shownText(contest.lastDay),
                                QString::number(contest.flights), QString::number(contest.finalClasses),
                                contest.current ? QStringLiteral("Current") : QString()};
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, qlonglong(contest.id));
            m_table->setItem(row, column, item);
        }
        if (contest.current)
            m_table->setCurrentCell(row, Name);
    }
    m_table->resizeColumnsToContents();
}

void ContestListDialog::makeChosenCurrent()
{
    const QTableWidgetItem *chosen = m_table->item(m_table->currentRow(), Name);
    if (!chosen)
        return;
    const QString name = chosen->text();
    try {
        journal::ContestJournal(m_journalPath).makeCurrent(chosen->data(Qt::UserRole).toLongLong());
    } catch (const std::exception &refused) {
        m_status->setText(shownText(journalSentence(refused)));
        return;
    }
    reload();
    m_status->setText(QStringLiteral("New flights are recorded into %1 from now on.").arg(name));
    emit currentChanged();
}

void ContestListDialog::startNew()
{
    auto *dialog = new NewContestDialog(m_journalPath, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        reload();
        emit currentChanged();
    });
    dialog->open();
}

} // namespace orlo

#include "moc_season_dialogs.cpp"
