#include "flight_history_view.h"

#include "calculation_fields.h"
#include "flight_table_model.h"

#include <QHeaderView>

namespace orlo {

namespace {

// The columns of a flight's history: every reading and result a calculation kept.
QStringList historyHeaders()
{
    QStringList headers{QStringLiteral("Time")};
    for (const CalculationField &field : calculationFields)
        if (field.inHistory == InHistory::Column)
            headers << shownText(std::string(field.historyHeading));
    return headers << QStringLiteral("Summary");
}

QStringList historyCells(const journal::StoredCalculation &calculation)
{
    QStringList cells{shownTime(calculation.recordedAt)};
    for (const CalculationField &field : calculationFields) {
        const QString text = shownText(calculation.values.*field.text);
        if (field.inHistory == InHistory::Column)
            cells << text;
        else if (field.inHistory == InHistory::WithPrevious)
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
