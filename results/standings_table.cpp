#include "standings_table.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace orlo {

namespace {

enum class Align { Text, Number };

QTableWidgetItem *item(const QString &text, Align align = Align::Text)
{
    auto *made = new QTableWidgetItem(text);
    made->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (align == Align::Number)
        made->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return made;
}

QTableWidgetItem *item(const std::string &text, Align align = Align::Text)
{
    return item(QString::fromStdString(text), align);
}

void reset(QTableWidget &table, const QStringList &headings, int rows)
{
    table.clearContents();
    table.setColumnCount(int(headings.size()));
    table.setHorizontalHeaderLabels(headings);
    table.setRowCount(rows);
}

// The first three columns of a contestant's line.
void showContestant(QTableWidget &table, int at, const std::string &place, const std::string &contestant,
                    const std::string &number)
{
    table.setItem(at, 0, item(place));
    table.setItem(at, 1, item(contestant));
    table.setItem(at, 2, item(number));
}

void fitColumns(QTableWidget &table)
{
    table.resizeColumnsToContents();
    table.horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}

} // namespace

void showClassStandings(QTableWidget &table, const contest::ClassStandings &standings)
{
    std::size_t flightColumns = 1;
    for (const contest::Standing &row : standings.rows)
        flightColumns = std::max(flightColumns, row.flights.size());
    QStringList headings{QStringLiteral("Place"), QStringLiteral("Contestant"), QStringLiteral("Number")};
    for (std::size_t flight = 1; flight <= flightColumns; ++flight)
        headings << QStringLiteral("Flight %1").arg(flight);
    const int scoreColumn = int(headings.size());
    headings << QStringLiteral("Score") << QStringLiteral("HS points") << QStringLiteral("LS points")
             << QStringLiteral("Bonus") << QStringLiteral("Scale") << QStringLiteral("Landing");
    reset(table, headings, int(standings.rows.size()));

    for (int at = 0; at < int(standings.rows.size()); ++at) {
        const contest::Standing &row = standings.rows[std::size_t(at)];
        showContestant(table, at, row.place, row.contestant, row.number);
        for (std::size_t flight = 0; flight < row.flights.size(); ++flight) {
            const contest::FlightScore &score = row.flights[flight];
            // As on the sheet: brackets round a flight beyond those allowed.
            const QString shown = QString::fromStdString(score.score);
            QTableWidgetItem *cell = item(score.beyondAllowed ? QStringLiteral("(%1)").arg(shown) : shown, Align::Number);
            QFont font = cell->font();
            font.setBold(score.counted);
            cell->setFont(font);
            table.setItem(at, 3 + int(flight), cell);
        }
        if (row.stillToFly) {
            table.setItem(at, scoreColumn, item(QStringLiteral("still to fly")));
            continue;
        }
        int column = scoreColumn;
        for (const std::string *part : {&row.score, &row.highSpeedPoints, &row.lowSpeedPoints, &row.engineBonus,
                                         &row.scalePoints, &row.landingPoints})
            table.setItem(at, column++, item(*part, Align::Number));
    }
    fitColumns(table);
}

void showCombinedStandings(QTableWidget &table, const contest::CombinedStandings &combined)
{
    QStringList headings{QStringLiteral("Place"), QStringLiteral("Contestant"), QStringLiteral("Number")};
    for (const std::string &caption : combined.combination.classes)
        headings << QString::fromStdString(caption);
    headings << QStringLiteral("Total") << QStringLiteral("Missing");
    reset(table, headings, int(combined.rows.size()));
    for (int at = 0; at < int(combined.rows.size()); ++at) {
        const contest::CombinedStanding &row = combined.rows[std::size_t(at)];
        showContestant(table, at, row.place, row.contestant, row.number);
        int column = 3;
        for (const std::string &score : row.classScores)
            table.setItem(at, column++, item(score, Align::Number));
        QStringList missing;
        for (const std::string &caption : row.missing)
            missing << QString::fromStdString(caption);
        const int total = 3 + int(combined.combination.classes.size());
        table.setItem(at, total, item(row.total, Align::Number));
        table.setItem(at, total + 1, item(missing.join(QStringLiteral(", "))));
    }
    fitColumns(table);
}

} // namespace orlo
