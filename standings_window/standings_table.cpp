#include "standings_table.h"

#include <QHeaderView>
#include <QTableWidget>

namespace orlo {

namespace {

// As on the sheet: a counted flight in bold, one beyond those allowed in brackets.
QTableWidgetItem *item(const contest::ResultCell &cell, bool number)
{
    const QString text = QString::fromStdString(cell.text);
    auto *made = new QTableWidgetItem(cell.mark == contest::Mark::BeyondAllowed ? QStringLiteral("(%1)").arg(text) : text);
    made->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number)
        made->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (cell.mark == contest::Mark::Counted) {
        QFont font = made->font();
        font.setBold(true);
        made->setFont(font);
    }
    return made;
}

} // namespace

void showStandings(QTableWidget &table, const contest::ResultTable &standings)
{
    const std::vector<std::size_t> shown = standings.sheetColumns();
    QStringList headings;
    for (const std::size_t column : shown)
        headings << QString::fromStdString(standings.columns[column].heading);
    table.clearContents();
    table.setColumnCount(int(headings.size()));
    table.setHorizontalHeaderLabels(headings);
    table.setRowCount(int(standings.rows.size()));

    for (int at = 0; at < int(standings.rows.size()); ++at) {
        const contest::ResultRow &row = standings.rows[std::size_t(at)];
        for (int column = 0; column < int(shown.size()); ++column) {
            const std::size_t from = shown[std::size_t(column)];
            if (!row.remark.empty() && from >= standings.remarkAt) {
                table.setItem(at, column, item({row.remark}, false));
                break;
            }
            table.setItem(at, column, item(row.cells[from], standings.columns[from].numbers));
        }
    }
    table.resizeColumnsToContents();
    table.horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}

} // namespace orlo
