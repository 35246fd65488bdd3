#include "flights_window.h"

#include "contest_corrections.h"
#include "contestant_picker.h"
#include "designed_palette.h"
#include "flight_filters.h"
#include "flight_history_view.h"
#include "flight_table_model.h"
#include "journal_file_jobs.h"
#include "journal_schema.h"
#include "journal_words.h"
#include "now_flying.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

using journal::FlightFilter;
using journal::StoredCalculation;

FlightsWindow::FlightsWindow(journal::FlightJournal &journal, ContestChanges &changes, QWidget *parent)
    : QWidget(parent, Qt::Window), m_journal(journal), m_changes(changes), m_reader(journal.path()),
      m_contest(journal.path()), m_corrections(new ContestCorrections(m_reader, m_contest, changes, *this))
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

FlightsWindow::~FlightsWindow() = default;

void FlightsWindow::buildControls()
{
    // Tab visits the controls in the order they are made.
    m_filters = new FlightFilters(*this);
    m_fileJobs = new JournalFileJobs(m_journal, m_changes, *this, [this] { return m_model->filter(); });
    m_nowFlying = new NowFlying(m_reader, m_contest, *this);
    m_correct = new QPushButton(QStringLiteral("Co&rrect flight…"), this);
    m_correct->setObjectName(QStringLiteral("CorrectFlight"));
    m_correct->setToolTip(QStringLiteral("Move the chosen flight to another contestant or contest, or mark it attempt or void (Alt+R)"));
    m_entries = new QPushButton(QStringLiteral("&Entry list…"), this);
    m_entries->setObjectName(QStringLiteral("EntryList"));
    // The merge, made with the journal's other file jobs, comes after the contest's buttons.
    setTabOrder(m_entries, m_fileJobs->mergeButton());
    m_model = new FlightTableModel(m_reader, m_journal, this);
    m_view = new QTableView(this);
    setUpFlightsTable();
    m_history = new FlightHistoryView(this);
    QSplitter *splitter = tableAndHistory();

    // A line of text only: it never takes the focus.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nowFlyingRow());
    layout->addLayout(filterRow());
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);
    resize(960, 600);
    // Arrow keys and typing go to the flights from the start.
    m_view->setFocus();
    connectControls();
}

void FlightsWindow::setUpFlightsTable()
{
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
}

// The flights above, the chosen flight's history below.
QSplitter *FlightsWindow::tableAndHistory()
{
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
    return splitter;
}

QHBoxLayout *FlightsWindow::nowFlyingRow()
{
    auto *label = new QLabel(QStringLiteral("&Now flying:"), this);
    label->setBuddy(m_nowFlying->picker());
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_nowFlying->picker(), 1);
    row->addWidget(new QLabel(QStringLiteral("(Ctrl+N on the sheet)"), this));
    return row;
}

// The filters above, the buttons below, each in short rows, so that the
// window can be narrowed to stand beside the sheet on a screen 1280 pixels
// wide and still show "All classes" and a contestant's whole name.
QVBoxLayout *FlightsWindow::filterRow()
{
    auto *filters = new QGridLayout;
    const auto addFilter = [this, filters](const QString &caption, QComboBox *filter, int row, int column,
                                           int span) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(filter);
        filters->addWidget(label, row, column);
        filters->addWidget(filter, row, column + 1, 1, span);
        filter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        filter->setMinimumContentsLength(std::min(filter->minimumContentsLength(), 6));
    };
    addFilter(QStringLiteral("&Day:"), m_filters->day(), 0, 0, 1);
    addFilter(QStringLiteral("C&lass:"), m_filters->eventClass(), 0, 2, 1);
    addFilter(QStringLiteral("C&ontestant:"), m_filters->contestant(), 1, 0, 3);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);
    // The buttons two by two, the contest's beside the journal's.
    auto *buttons = new QGridLayout;
    buttons->addWidget(m_correct, 0, 0);
    buttons->addWidget(m_entries, 1, 0);
    buttons->setColumnStretch(1, 1);
    buttons->addWidget(m_fileJobs->exportButton(), 0, 2);
    buttons->addWidget(m_fileJobs->backUpButton(), 1, 2);
    buttons->addWidget(m_fileJobs->mergeButton(), 2, 2);
    auto *rows = new QVBoxLayout;
    rows->addLayout(filters);
    rows->addLayout(buttons);
    return rows;
}

void FlightsWindow::connectControls()
{
    connect(m_filters, &FlightFilters::changed, this, &FlightsWindow::reload);
    connect(m_nowFlying, &NowFlying::named, this, [this](std::int64_t entry) {
        emit nowFlying(entry);
        // A name typed may have added an entry, which joins the contestant filter and the standings.
        m_changes.tell(ContestChange::Entries);
    });
    connect(m_nowFlying, &NowFlying::readFailed, this, &FlightsWindow::showReadFailure);
    connect(m_correct, &QPushButton::clicked, this, &FlightsWindow::correctChosenFlight);
    connect(m_entries, &QPushButton::clicked, this, &FlightsWindow::openEntryList);
    connect(m_corrections, &ContestCorrections::readFailed, this, &FlightsWindow::showReadFailure);
    // Escape closes the window; an editor open in it takes the key first.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    connect(m_fileJobs, &JournalFileJobs::started, this, &FlightsWindow::showCount);
    connect(m_fileJobs, &JournalFileJobs::finished, this, &FlightsWindow::jobEnded);
    connect(m_model, &FlightTableModel::readFailed, this, &FlightsWindow::showReadFailure);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FlightsWindow::showHistory);
    // A contestant named brings the entry's number, and may have added an entry.
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { m_changes.tell(ContestChange::Correction); });
    connect(&m_changes, &ContestChanges::changed, this, &FlightsWindow::follow);
}

void FlightsWindow::follow(ContestChange what)
{
    if (what == ContestChange::FlightEnded) {
        // The contestant who flew is no longer the one flying.
        if (m_journal.nowFlyingEntry() == 0)
            clearNowFlying();
        return;
    }
    // Nobody of the contest before is flying.
    if (what == ContestChange::CurrentContest)
        clearNowFlying();
    journalChanged();
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
        m_filters->refill(m_reader.days(), m_reader.entries());
        // The contest new flights go into, once it has a name.
        const QString contest = shownText(m_reader.contest().name);
        setWindowTitle(contest.isEmpty() ? QStringLiteral("Flight journal")
                                         : QStringLiteral("Flight journal: %1").arg(contest));
        m_model->setFilter(m_filters->filter());
        m_readFailure.clear();
    } catch (const journal::JournalProblem &problem) {
        showReadFailure(shownText(journalSentence(problem)));
        return;
    }
    // A flight just arrived is the one chosen, whatever was chosen or
    // corrected before: Alt+R right after Calc. Score corrects that flight.
    // A row the official chooses afterwards stays chosen until the next
    // flight arrives.
    std::int64_t newest = 0;
    for (const journal::FlightRow &flight : m_model->flights())
        newest = std::max(newest, flight.id);
    const bool arrived = newest > m_newestShown;
    m_newestShown = std::max(m_newestShown, newest);
    const int row = arrived ? m_model->rowOf(newest)
                    : kept  ? m_model->rowOf(kept)
                            : (m_model->rowCount() > 0 ? 0 : -1);
    if (row >= 0) {
        const QModelIndex index = m_model->index(row, FlightTableModel::Contestant);
        m_view->setCurrentIndex(index);
        m_view->scrollTo(index);
    }
    showFirstColumn();
    showHistory();
    showCount();
    m_corrections->reloadEntryListIfUnread();
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

void FlightsWindow::showReadFailure(const QString &problem)
{
    m_readFailure = problem;
    showCount();
}

void FlightsWindow::showHistory()
{
    const std::int64_t flight = chosenFlight();
    std::vector<StoredCalculation> calculations;
    std::vector<journal::FlightChange> changes;
    try {
        if (flight) {
            calculations = m_reader.calculations(flight);
            changes = m_reader.changes(flight);
        }
    } catch (const journal::JournalProblem &problem) {
        showReadFailure(shownText(journalSentence(problem)));
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
            const int shown = m_reader.flightCount(m_model->filter());
            status = shown == 1 ? QStringLiteral("1 flight shown.") : QStringLiteral("%1 flights shown.").arg(shown);
        } catch (const journal::JournalProblem &problem) {
            showReadFailure(shownText(journalSentence(problem)));
            return;
        }
    }
    if (!m_fileJobs->doing().isEmpty())
        status += QLatin1Char(' ') + m_fileJobs->doing();
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

// A change told while the window was hidden is read as it shows again.
bool FlightsWindow::event(QEvent *event)
{
    if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) && m_stale)
        reload();
    return QWidget::event(event);
}

void FlightsWindow::pickNowFlying()
{
    m_nowFlying->pick();
}

void FlightsWindow::clearNowFlying()
{
    m_nowFlying->clear();
}

void FlightsWindow::correctChosenFlight()
{
    const int row = m_view->currentIndex().row();
    if (row >= 0 && row < m_model->rowCount())
        m_corrections->correct(m_model->flights()[static_cast<std::size_t>(row)]);
}

void FlightsWindow::openEntryList()
{
    m_corrections->openEntryList();
}

void FlightsWindow::setSheet(QWidget &sheet)
{
    m_corrections->setSheet(sheet);
}

void FlightsWindow::exportTo(const QString &fileName)
{
    m_fileJobs->exportTo(fileName);
}

void FlightsWindow::jobEnded(bool done, const QString &sentence)
{
    // A merge brings flights and entries, told by the job; an export or backup changes nothing.
    showCount();
    emit jobFinished(done, sentence);
}

} // namespace orlo

#include "moc_flights_window.cpp"
