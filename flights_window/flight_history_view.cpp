#include "flight_history_view.h"

#include "calculation_fields.h"
#include "flight_table_model.h"

#include <QHeaderView>

#include <array>

namespace orlo {

namespace {

// Where the history of a flight shows a text of a calculation.
enum class InHistory {
    Column,       // a column of its own, under its heading
    WithPrevious, // after the text before it, "12.3 / 12.4"
};

// A text of a calculation as the history shows it.
struct HistoryColumn {
    std::string CalculationRecord::*text;
    InHistory inHistory;
    const char *heading;
};

// The history's texts of a calculation, in the sheet's order.
constexpr std::array historyColumns{
    HistoryColumn{&CalculationRecord::classCaption, InHistory::Column, "Class"},
    HistoryColumn{&CalculationRecord::highSpeedWatch1, InHistory::Column, "HS Watches"},
    HistoryColumn{&CalculationRecord::highSpeedWatch2, InHistory::WithPrevious, ""},
    HistoryColumn{&CalculationRecord::highSpeedTime, InHistory::Column, "HS Avg. Time"},
    HistoryColumn{&CalculationRecord::highSpeedMph, InHistory::Column, "HS MPH"},
    HistoryColumn{&CalculationRecord::highSpeedPoints, InHistory::Column, "HS Points"},
    HistoryColumn{&CalculationRecord::lowSpeedWatch1, InHistory::Column, "LS Watches"},
    HistoryColumn{&CalculationRecord::lowSpeedWatch2, InHistory::WithPrevious, ""},
    HistoryColumn{&CalculationRecord::lowSpeedTime, InHistory::Column, "LS Avg. Time"},
    HistoryColumn{&CalculationRecord::lowSpeedMph, InHistory::Column, "LS MPH"},
    HistoryColumn{&CalculationRecord::lowSpeedPoints, InHistory::Column, "LS Points"},
    HistoryColumn{&CalculationRecord::enginesEntered, InHistory::Column, "Engines"},
    HistoryColumn{&CalculationRecord::enginesRunning, InHistory::Column, "Running"},
    HistoryColumn{&CalculationRecord::scalePoints, InHistory::Column, "Scale"},
    HistoryColumn{&CalculationRecord::landingPoints, InHistory::Column, "Landing"},
    HistoryColumn{&CalculationRecord::engineBonus, InHistory::Column, "Engine Bonus"},
    HistoryColumn{&CalculationRecord::score, InHistory::Column, "Score"},
};
static_assert(keepsEveryField(historyColumns), "every text of a calculation needs a place in a flight's history");

// The columns of a flight's history: every reading and result a calculation kept.
QStringList historyHeaders()
{
    QStringList headers{QStringLiteral("Time")};
    for (const HistoryColumn &column : historyColumns)
        if (column.inHistory == InHistory::Column)
            headers << QString::fromUtf8(column.heading);
    return headers << QStringLiteral("Summary");
}

QStringList historyCells(const journal::StoredCalculation &calculation)
{
    QStringList cells{shownTime(calculation.recordedAt)};
    for (const HistoryColumn &column : historyColumns) {
        const QString text = shownText(calculation.values.*column.text);
        if (column.inHistory == InHistory::Column)
            cells << text;
        else
            cells.last() += QStringLiteral(" / ") + text;
    }
    QStringList summary;
    for (const std::string &line : calculation.values.summary)
        summary << shownText(line);
    return cells << summary.join(QStringLiteral(" | "));
}

// "Contestant Hal Ivers → Ken Lo (keyed under the wrong number)".
QString changeText(const journal::FlightChange &change)
{
    QString what = shownText(change.what);
    if (!what.isEmpty())
        what[0] = what[0].toUpper();
    const QString before = change.before.empty() ? QStringLiteral("none") : shownText(change.before);
    QString text = QStringLiteral("%1 %2 → %3").arg(what, before, shownText(change.after));
    if (!change.reason.empty())
        text += QStringLiteral(" (%1)").arg(shownText(change.reason));
    return text;
}

} // namespace

FlightHistoryView::FlightHistoryView(QWidget *parent) : QTableWidget(parent)
{
    const QStringList headers = historyHeaders();
    setColumnCount(static_cast<int>(headers.size()));
    setHorizontalHeaderLabels(headers);
    setObjectName(QStringLiteral("Calculations"));
    setAccessibleName(QStringLiteral("Calculations and corrections of the chosen flight"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void FlightHistoryView::showFlight(const std::vector<journal::StoredCalculation> &calculations,
                                   const std::vector<journal::FlightChange> &changes)
{
    clearSpans();
    setRowCount(static_cast<int>(calculations.size() + changes.size()));
    auto calculation = calculations.begin();
    auto change = changes.begin();
    for (int row = 0; row < rowCount(); ++row) {
        // In the order they happened: both times are local with their offset.
        const bool changeNext = change != changes.end()
            && (calculation == calculations.end() || change->changedAt < calculation->recordedAt);
        const std::string &at = changeNext ? change->changedAt : calculation->recordedAt;
        QStringList cells;
        if (changeNext) {
            // A correction reads across the calculation's columns.
            cells = QStringList{shownTime(at), changeText(*change++)};
            setSpan(row, 1, 1, columnCount() - 1);
        } else {
            cells = historyCells(*calculation++);
        }
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (column == 0)
                item->setToolTip(shownText(at));
            setItem(row, column, item);
        }
    }
    resizeColumnsToContents();
}

} // namespace orlo

#include "moc_flight_history_view.cpp"
