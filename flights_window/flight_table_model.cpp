#include "flight_table_model.h"

#include "final_class.h"
#include "journal_schema.h"
#include "journal_words.h"

#include <algorithm>

namespace orlo {

using journal::FlightRow;

static_assert(FlightTableModel::Calculations == static_cast<int>(journal::FlightSortKey::Calculations),
              "a column is ordered by the key of its own number");

namespace {

std::string shownValue(const FlightRow &flight, int column)
{
    const CalculationRecord &last = flight.last.values;
    switch (column) {
    case FlightTableModel::Contestant: return flight.contestant;
    case FlightTableModel::Number: return flight.number;
    case FlightTableModel::Class: return last.classCaption;
    case FlightTableModel::HighSpeed: return last.highSpeedPoints;
    case FlightTableModel::LowSpeed: return last.lowSpeedPoints;
    case FlightTableModel::EngineBonus: return last.engineBonus;
    case FlightTableModel::Scale: return last.scalePoints;
    case FlightTableModel::Landing: return last.landingPoints;
    case FlightTableModel::Total: return last.score;
    case FlightTableModel::Calculations: return std::to_string(flight.calculationCount);
    default: return {};
    }
}

// "Official", or "Void: scored twice" with the reason the director gave.
QString shownStatus(const FlightRow &flight)
{
    QString shown = shownText(contest::statusName(flight.status));
    if (!shown.isEmpty())
        shown[0] = shown[0].toUpper();
    return flight.statusReason.empty() ? shown : shown + QStringLiteral(": ") + shownText(flight.statusReason);
}

} // namespace

QString shownTime(const std::string &recordedAt)
{
    // "2026-12-08T14:03:27+01:00": the first nineteen characters are the local time.
    QString shown = shownText(recordedAt.substr(0, 19));
    if (shown.size() > 10 && shown.at(10) == QLatin1Char('T'))
        shown[10] = QLatin1Char(' ');
    return shown;
}

FlightTableModel::FlightTableModel(const journal::JournalReader &reader, journal::FlightJournal &journal,
                                   QObject *parent)
    : QAbstractTableModel(parent), m_reader(reader), m_journal(journal)
{
}

// Enough rows to fill a tall window several times over.
constexpr int pageSize = 200;

// Newest first, a page follows the last flight read, which the journal
// finds at once whatever its length; in another order, every page sorts.
std::vector<FlightRow> FlightTableModel::readPage(std::size_t from) const
{
    if (m_order.newestFirst())
        return m_reader.flights(m_filter, from == 0 ? 0 : m_flights[from - 1].id, pageSize);
    return m_reader.flights(m_filter, m_order, static_cast<int>(from), pageSize);
}

void FlightTableModel::setFilter(journal::FlightFilter filter)
{
    std::swap(filter, m_filter);
    std::vector<FlightRow> page;
    try {
        page = readPage(0);
    } catch (...) {
        std::swap(filter, m_filter);
        throw;
    }
    beginResetModel();
    m_flights = std::move(page);
    m_readAll = m_flights.size() < static_cast<std::size_t>(pageSize);
    endResetModel();
}

bool FlightTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_readAll;
}

void FlightTableModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    std::vector<FlightRow> page;
    try {
        page = readPage(m_flights.size());
    } catch (const journal::JournalProblem &problem) {
        // The view asks again as the official scrolls on.
        emit readFailed(shownText(journalSentence(problem)));
        return;
    }
    m_readAll = page.size() < static_cast<std::size_t>(pageSize);
    if (page.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    m_flights.insert(m_flights.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    endInsertRows();
}

int FlightTableModel::rowOf(std::int64_t flightId)
{
    // Newest first, the flight is read once the last row read is as old as
    // it: by the moment flown, then by id, as the journal orders them.
    std::int64_t flownAt = 0;
    if (m_order.newestFirst() && canFetchMore({})) {
        try {
            const auto calculations = m_reader.calculations(flightId);
            if (!calculations.empty())
                flownAt = contest::momentOf(calculations.front().recordedAt).value_or(0);
        } catch (const journal::JournalProblem &) {
            // Read on as far as the ids tell.
        }
    }
    while (m_order.newestFirst() && canFetchMore({}) && !m_flights.empty()
           && std::pair(m_flights.back().flownAt, m_flights.back().id) > std::pair(flownAt, flightId)) {
        const std::size_t read = m_flights.size();
        fetchMore({});
        if (m_flights.size() == read)
            break; // the journal could not be read on
    }
    const auto found = std::find_if(m_flights.begin(), m_flights.end(),
                                    [flightId](const FlightRow &flight) { return flight.id == flightId; });
    return found == m_flights.end() ? -1 : static_cast<int>(found - m_flights.begin());
}

int FlightTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_flights.size());
}

int FlightTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FlightTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FlightRow &flight = m_flights[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == Time)
            return shownTime(flight.last.recordedAt);
        return column == Status ? shownStatus(flight) : shownText(shownValue(flight, column));
    case Qt::ToolTipRole:
        if (column == Time)
            return shownText(flight.last.recordedAt);
        if (column == Status && !flight.statusReason.empty())
            return shownText(flight.statusReason);
        if (column == Total && flight.calculationCount > 1)
            return tr("The last of %1 calculations").arg(flight.calculationCount);
        return {};
    case Qt::TextAlignmentRole:
        return column >= HighSpeed ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant FlightTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Time: return QStringLiteral("Time");
    case Contestant: return QStringLiteral("Contestant");
    case Number: return QStringLiteral("Number");
    case Class: return QStringLiteral("Class");
    case HighSpeed: return QStringLiteral("High Speed");
    case LowSpeed: return QStringLiteral("Low Speed");
    case EngineBonus: return QStringLiteral("Engine Bonus");
    case Scale: return QStringLiteral("Scale");
    case Landing: return QStringLiteral("Landing");
    case Total: return QStringLiteral("Total Score");
    case Calculations: return QStringLiteral("Calculations");
    case Status: return QStringLiteral("Status");
    default: return {};
    }
}

void FlightTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    const journal::FlightOrder kept = m_order;
    m_order = {static_cast<journal::FlightSortKey>(column), order == Qt::DescendingOrder};
    try {
        setFilter(m_filter);
    } catch (const journal::JournalProblem &problem) {
        m_order = kept;
        emit readFailed(shownText(journalSentence(problem)));
    }
}

Qt::ItemFlags FlightTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Contestant)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FlightTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != Contestant || index.row() >= rowCount())
        return false;
    FlightRow &flight = m_flights[static_cast<std::size_t>(index.row())];
    const std::string typed = value.toString().toStdString();
    if (typed == flight.contestant)
        return true;
    if (!m_journal.setContestant(flight.id, typed))
        return false;
    flight.contestant = typed;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

} // namespace orlo

#include "moc_flight_table_model.cpp"
