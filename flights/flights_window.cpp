#include "flights_window.h"

#include "contestant_picker.h"
#include "entry_list_window.h"
#include "contest_journal.h"
#include "designed_palette.h"
#include "event_classes.h"
#include "flight_history_view.h"
#include "flight_table_model.h"
#include "journal_exports.h"
#include "journal_schema.h"
#include "journal_words.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QThread>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace orlo {

using journal::FlightFilter;
using journal::StoredCalculation;

namespace {

// A filter's choice: the item's data, empty for "All ...".
std::string chosen(const QComboBox *filter)
{
    return filter->currentData().toString().toStdString();
}

// The contestant filter's choice: an entry, noEntry, or 0 for all.
std::int64_t chosenEntry(const QComboBox *filter)
{
    return filter->currentData().toLongLong();
}

void refill(QComboBox *filter, const QString &all, const std::vector<std::string> &choices)
{
    const QString kept = filter->currentData().toString();
    const QSignalBlocker quiet(filter);
    filter->clear();
    filter->addItem(all, QString());
    for (const std::string &choice : choices)
        filter->addItem(shownText(choice), shownText(choice));
    filter->setCurrentIndex(std::max(0, filter->findData(kept)));
}

} // namespace

FlightsWindow::FlightsWindow(journal::FlightJournal &journal, QWidget *parent)
    : QWidget(parent, Qt::Window), m_journal(journal), m_reader(journal.path()), m_contest(journal.path())
{
    setWindowTitle(QStringLiteral("Flight journal"));
    // The program ends with its sheet, this window open or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    buildControls();
    // Once the controls are made: the sheet's light colours and focus mark
    // reach each of them, whatever the desktop's theme.
    applyDesignedLook(*this);
    reload();
}

// An export still running is waited for: it reads the journal and writes
// its file, and ends on its own.
FlightsWindow::~FlightsWindow()
{
    if (m_job)
        m_job->wait();
}

void FlightsWindow::buildControls()
{
    m_day = new QComboBox(this);
    m_day->setObjectName(QStringLiteral("DayFilter"));
    m_day->setAccessibleName(QStringLiteral("Day"));
    m_class = new QComboBox(this);
    m_class->setObjectName(QStringLiteral("ClassFilter"));
    m_class->setAccessibleName(QStringLiteral("Class"));
    m_contestant = new QComboBox(this);
    m_contestant->setObjectName(QStringLiteral("ContestantFilter"));
    m_contestant->setAccessibleName(QStringLiteral("Contestant"));
    // A long entry list is searched by typing a name into the filter.
    m_contestant->setEditable(true);
    m_contestant->setInsertPolicy(QComboBox::NoInsert);
    m_contestant->setMinimumContentsLength(12);
    m_export = new QPushButton(QStringLiteral("E&xport CSV…"), this);
    m_export->setObjectName(QStringLiteral("ExportCsv"));
    m_backup = new QPushButton(QStringLiteral("&Back up journal…"), this);
    m_backup->setObjectName(QStringLiteral("BackUpJournal"));

    auto *dayLabel = new QLabel(QStringLiteral("&Day:"), this);
    dayLabel->setBuddy(m_day);
    auto *classLabel = new QLabel(QStringLiteral("C&lass:"), this);
    classLabel->setBuddy(m_class);
    m_nowFlying = new ContestantPicker(this);
    m_nowFlying->setObjectName(QStringLiteral("NowFlying"));
    auto *nowFlyingLabel = new QLabel(QStringLiteral("&Now flying:"), this);
    nowFlyingLabel->setBuddy(m_nowFlying);
    auto *nowFlying = new QHBoxLayout;
    nowFlying->addWidget(nowFlyingLabel);
    nowFlying->addWidget(m_nowFlying, 1);
    nowFlying->addWidget(new QLabel(QStringLiteral("(Ctrl+N on the sheet)"), this));
    nowFlying->addStretch();
    m_correct = new QPushButton(QStringLiteral("Co&rrect flight…"), this);
    m_correct->setObjectName(QStringLiteral("CorrectFlight"));
    m_correct->setToolTip(QStringLiteral("Move the chosen flight to another contestant, or mark it attempt or void (Ctrl+R)"));
    m_entries = new QPushButton(QStringLiteral("&Entry list…"), this);
    m_entries->setObjectName(QStringLiteral("EntryList"));
    nowFlying->addWidget(m_correct);
    nowFlying->addWidget(m_entries);

    auto *filters = new QHBoxLayout;
    filters->addWidget(dayLabel);
    filters->addWidget(m_day);
    filters->addSpacing(12);
    filters->addWidget(classLabel);
    filters->addWidget(m_class);
    filters->addSpacing(12);
    auto *contestantLabel = new QLabel(QStringLiteral("C&ontestant:"), this);
    contestantLabel->setBuddy(m_contestant);
    filters->addWidget(contestantLabel);
    filters->addWidget(m_contestant);
    filters->addStretch();
    filters->addWidget(m_export);
    filters->addWidget(m_backup);

    m_model = new FlightTableModel(m_journal, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("Flights"));
    m_view->setAccessibleName(QStringLiteral("Flights"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                            | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_view->setWordWrap(false);
    m_view->setAlternatingRowColors(true);
    m_view->setItemDelegateForColumn(FlightTableModel::Contestant, new ContestantDelegate(m_reader, m_contest, m_view));
    // One fixed height for every row, and widths from the font rather than
    // from the rows: a journal of a whole season opens without measuring it.
    const QFontMetrics metrics = fontMetrics();
    QHeaderView *rows = m_view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(metrics.height() + 8);
    QHeaderView *columns = m_view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(true);
    const auto widthOf = [&metrics](const QString &sample) { return metrics.horizontalAdvance(sample) + 20; };
    m_view->setColumnWidth(FlightTableModel::Time, widthOf(QStringLiteral("2026-12-08 14:03:27")));
    m_view->setColumnWidth(FlightTableModel::Contestant, widthOf(QStringLiteral("Contestant name, 123")));
    m_view->setColumnWidth(FlightTableModel::Class, widthOf(QStringLiteral("Skyray Carrier")));
    m_view->setColumnWidth(FlightTableModel::Status, widthOf(QStringLiteral("Attempt: re-fly")));
    for (const int column : {int(FlightTableModel::Number), int(FlightTableModel::HighSpeed),
                             int(FlightTableModel::LowSpeed), int(FlightTableModel::EngineBonus),
                             int(FlightTableModel::Scale), int(FlightTableModel::Landing), int(FlightTableModel::Total),
                             int(FlightTableModel::Calculations)})
        m_view->setColumnWidth(column, widthOf(m_model->headerData(column, Qt::Horizontal).toString()));
    // A click on a heading orders every flight by it, in the journal; newest
    // first until then.
    columns->setSortIndicator(FlightTableModel::Time, Qt::DescendingOrder);
    columns->setSortIndicatorShown(true);
    m_view->setSortingEnabled(true);

    m_history = new FlightHistoryView(this);

    auto *history = new QWidget(this);
    auto *historyLayout = new QVBoxLayout(history);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    auto *historyLabel = new QLabel(QStringLiteral("Calculations and corrections of the chosen flight, oldest first:"), history);
    historyLabel->setBuddy(m_history);
    historyLayout->addWidget(historyLabel);
    historyLayout->addWidget(m_history);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_view);
    splitter->addWidget(history);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    // A line of text only: it never takes the focus.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nowFlying);
    layout->addLayout(filters);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);
    resize(960, 600);
    // Arrow keys and typing go to the flights from the start.
    m_view->setFocus();

    connect(m_day, &QComboBox::currentIndexChanged, this, &FlightsWindow::reload);
    connect(m_class, &QComboBox::currentIndexChanged, this, &FlightsWindow::reload);
    connect(m_contestant, &QComboBox::currentIndexChanged, this, &FlightsWindow::reload);
    connect(m_nowFlying, &ContestantPicker::picked, this, &FlightsWindow::nameNowFlying);
    connect(m_correct, &QPushButton::clicked, this, &FlightsWindow::correctChosenFlight);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this), &QShortcut::activated, this,
            &FlightsWindow::correctChosenFlight);
    connect(m_entries, &QPushButton::clicked, this, &FlightsWindow::openEntryList);
    // Escape closes the window; an editor open in it takes the key first.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    connect(m_export, &QPushButton::clicked, this, [this] {
        const std::string day = chosen(m_day);
        chooseFile(QStringLiteral("Export CSV…"),
                   day.empty() ? QStringLiteral("flights.csv") : QStringLiteral("flights-%1.csv").arg(shownText(day)),
                   QStringLiteral("CSV files (*.csv);;All files (*)"), &FlightsWindow::exportTo);
    });
    connect(m_backup, &QPushButton::clicked, this, [this] {
        chooseFile(QStringLiteral("Back up journal…"), QStringLiteral("journal-backup.sqlite"),
                   QStringLiteral("Flight journals (*.sqlite);;All files (*)"), &FlightsWindow::backUpTo);
    });
    connect(m_model, &FlightTableModel::readFailed, this, [this](const QString &problem) {
        m_readFailure = problem;
        showCount();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FlightsWindow::showHistory);
    // A contestant named brings the entry's number, and may have added an entry.
    connect(m_model, &QAbstractItemModel::dataChanged, this, &FlightsWindow::journalChanged);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &FlightsWindow::contestChanged);
}

std::int64_t FlightsWindow::chosenFlight() const
{
    const int row = m_view->currentIndex().row();
    return row >= 0 && row < m_model->rowCount() ? m_model->flights()[static_cast<std::size_t>(row)].id : 0;
}

void FlightsWindow::reload()
{
    m_stale = false;
    const std::int64_t kept = chosenFlight();
    try {
        refillFilters();
        m_model->setFilter(FlightFilter{chosen(m_day), chosen(m_class), chosenEntry(m_contestant)});
        m_readFailure.clear();
    } catch (const journal::JournalProblem &problem) {
        showProblem(problem);
        return;
    }
    // The newest flight is the one chosen until the official chooses another.
    const int row = kept ? m_model->rowOf(kept) : (m_model->rowCount() > 0 ? 0 : -1);
    if (row >= 0) {
        const QModelIndex index = m_model->index(row, FlightTableModel::Contestant);
        m_view->setCurrentIndex(index);
        m_view->scrollTo(index);
    }
    showFirstColumn();
    showHistory();
    showCount();
    if (m_entryList)
        m_entryList->reloadIfUnread();
}

void FlightsWindow::refillFilters()
{
    refill(m_day, QStringLiteral("All days"), m_journal.days());
    // The sheet's classes in the sheet's order: reading the captions recorded
    // would mean reading every calculation.
    static const std::vector<std::string> classes = [] {
        std::vector<std::string> captions;
        for (const EventClass &eventClass : eventClasses)
            captions.emplace_back(eventClass.caption);
        return captions;
    }();
    refill(m_class, QStringLiteral("All classes"), classes);

    const qlonglong kept = m_contestant->currentData().toLongLong();
    std::vector<journal::Entry> entries = m_reader.entries();
    const QSignalBlocker quiet(m_contestant);
    m_contestant->clear();
    m_contestant->addItem(QStringLiteral("All contestants"), qlonglong(0));
    m_contestant->addItem(QStringLiteral("No contestant named"), qlonglong(journal::noEntry));
    for (const journal::Entry &entry : entries)
        m_contestant->addItem(entry.number.empty() ? shownText(entry.name)
                                                   : shownText(entry.name + " " + entry.number),
                              qlonglong(entry.id));
    m_contestant->setCurrentIndex(std::max(0, m_contestant->findData(kept)));
}

// The time of a flight comes first: whatever the style scrolled to while the
// rows came in, the first column is in view.
void FlightsWindow::showFirstColumn()
{
    QScrollBar *across = m_view->horizontalScrollBar();
    across->setValue(across->minimum());
}

void FlightsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The scroll range is known once the window is laid out at its size.
    QMetaObject::invokeMethod(this, &FlightsWindow::showFirstColumn, Qt::QueuedConnection);
}

void FlightsWindow::showProblem(const std::exception &problem)
{
    m_readFailure = shownText(problem.what());
    showCount();
}

void FlightsWindow::showHistory()
{
    const std::int64_t flight = chosenFlight();
    std::vector<StoredCalculation> calculations;
    std::vector<journal::FlightChange> changes;
    try {
        if (flight) {
            calculations = m_journal.calculations(flight);
            changes = m_reader.changes(flight);
        }
    } catch (const journal::JournalProblem &problem) {
        showProblem(problem);
        return;
    }
    m_history->showFlight(calculations, changes);
}

void FlightsWindow::showCount()
{
    QString status;
    if (!m_readFailure.isEmpty()) {
        // What was read before stays: it was right when it was read.
        status = QStringLiteral("The flights could not be read: %1").arg(m_readFailure);
        if (m_model->rowCount() > 0)
            status += QStringLiteral(" The flights listed were read before.");
    } else {
        try {
            const int shown = m_journal.flightCount(m_model->filter());
            status = shown == 1 ? QStringLiteral("1 flight shown.") : QStringLiteral("%1 flights shown.").arg(shown);
        } catch (const journal::JournalProblem &problem) {
            showProblem(problem);
            return;
        }
    }
    if (!m_exported.isEmpty())
        status += QLatin1Char(' ') + m_exported;
    if (m_journal.problem())
        status += QLatin1Char(' ') + shownText(journalSentence(m_journal.problem()));
    m_status->setText(status);
}

void FlightsWindow::journalChanged()
{
    m_stale = true;
    // Once, after the press of "Calc. Score" that recorded it has returned.
    if (isVisible() && !m_reloadQueued) {
        m_reloadQueued = true;
        QMetaObject::invokeMethod(this, [this] {
            m_reloadQueued = false;
            if (m_stale)
                reload();
        }, Qt::QueuedConnection);
    }
}

// Another program writing the same journal tells this one nothing: what it
// recorded is read when the official comes back to this window.
bool FlightsWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        m_stale = true;
    else if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) && m_stale)
        reload();
    return QWidget::event(event);
}

} // namespace orlo
