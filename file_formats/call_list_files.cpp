#include "call_list_files.h"

#include "journal_files.h"
#include "results_document.h"
#include "results_files.h"
#include "spreadsheet_files.h"

#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

#include <stdexcept>

namespace orlo {

namespace {

// Read from a step away: the names and the boxes in large type.
const char *const boardStyle = R"(
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 20pt; }
h1 { font-size: 26pt; margin-bottom: 4px; }
h2 { font-size: 24pt; margin-top: 16px; margin-bottom: 4px; }
th { background-color: #d9d9d9; font-weight: bold; text-align: left; }
td { font-size: 20pt; }
th { font-size: 14pt; }
td.n, th.n { text-align: right; }
)";

// The file columns of every round in one sheet, each row naming its round.
exports::Table fileTable(const std::vector<contest::ResultTable> &tables)
{
    exports::Table table{"Call list", {"Round"}, {}};
    if (tables.empty())
        return table;
    for (const contest::ResultColumn &column : tables.front().columns)
        if (column.inFiles())
            table.headings.push_back(column.fileHeading);
    for (const contest::ResultTable &round : tables)
        for (const contest::ResultRow &row : round.rows) {
            std::vector<exports::Cell> &cells = table.rows.emplace_back();
            cells.push_back({round.title});
            for (std::size_t column = 0; column < round.columns.size(); ++column)
                if (round.columns[column].inFiles())
                    cells.push_back({row.cells[column].text, row.cells[column].kind == contest::ValueKind::Number
                                                                 ? exports::CellKind::Number
                                                                 : exports::CellKind::Text});
        }
    return table;
}

bool endsWith(const std::string &path, const char *extension)
{
    return QString::fromStdString(path).endsWith(QLatin1String(extension), Qt::CaseInsensitive);
}

} // namespace

std::string callListTitle(const std::string &contestName)
{
    return contestName.empty() ? std::string("Call list") : contestName + ": Call list";
}

QString callListHtml(const std::string &title, const std::vector<contest::ResultTable> &tables)
{
    const QString name = QString::fromStdString(title).toHtmlEscaped();
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title><style>%2</style>"
                                  "</head><body><p style=\"font-size: 26pt; font-weight: bold\">%1</p>")
                       .arg(name, QString::fromLatin1(boardStyle));
    if (tables.empty())
        html += QStringLiteral("<p>Nobody is to be called.</p>");
    for (const contest::ResultTable &table : tables) {
        // The names take the room; the other columns as narrow as their
        // headings, each heading whole on A4, the narrowest paper ("Number"
        // at 14% broke as "Numbe/r").
        QString drawn = resultTableHtml(table);
        for (const auto &[heading, width] : {std::pair{"Order", 12}, std::pair{"Contestant", 30}, std::pair{"Number", 17},
                                             std::pair{"Class", 17}, std::pair{"Flight", 12}, std::pair{"Flown", 12}})
            drawn.replace(QStringLiteral(">%1</th>").arg(QLatin1String(heading)),
                          QStringLiteral(" width=\"%1%\">%2</th>").arg(width).arg(QLatin1String(heading)));
        html += QStringLiteral("<p style=\"font-size: 24pt; font-weight: bold\">%1</p>").arg(QString::fromStdString(table.title).toHtmlEscaped())
            + drawn;
    }
    return html + QStringLiteral("</body></html>\n");
}

void drawCallList(QPagedPaintDevice &device, const std::string &title, const std::vector<contest::ResultTable> &tables)
{
    QTextDocument document;
    document.setHtml(callListHtml(title, tables));
    // Laid out on the page's width, so each table spans it. The document's
    // units are pixels at 96 to the inch: type set in points comes out at
    // its size on the paper.
    document.setPageSize(QSizeF(device.pageLayout().paintRectPoints().size()) * (96.0 / 72.0));
    document.print(&device);
}

QPageLayout callListPage()
{
    return QPageLayout(paperFor(QLocale()), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

void writeCallList(const std::string &title, const std::vector<contest::ResultTable> &tables, const std::string &path)
{
    if (endsWith(path, ".csv")) {
        exports::writeCsv(fileTable(tables), path);
    } else if (endsWith(path, ".xlsx")) {
        exports::writeXlsx({fileTable(tables)}, path);
    } else if (endsWith(path, ".html")) {
        journal::writeFileAside(path, callListHtml(title, tables).toStdString());
    } else if (endsWith(path, ".pdf")) {
        journal::writeAside(path, [&](const std::string &part) {
            QPdfWriter pdf(QString::fromStdString(part));
            pdf.setTitle(QString::fromStdString(title));
            pdf.setPageLayout(callListPage());
            drawCallList(pdf, title, tables);
        });
    } else {
        throw std::runtime_error("its name ends in none of " + resultsExtensions().toStdString());
    }
}

} // namespace orlo
