#include "sheet_layout.h"

#include "sheet_words.h"

#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <numeric>

namespace orlo {

namespace {

// Between a cell's text and its lines, about the 3 pixels of the web page.
constexpr qreal cellPadding = 2.5 * unitsPerPoint;
constexpr qreal ruleWidth = 0.5 * unitsPerPoint;
const QColor ruleColour(0x80, 0x80, 0x80);
const QColor headerShade(0xd9, 0xd9, 0xd9);

QFont sheetFont(qreal points, bool bold, bool italic)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    // In the sheet's own units, so the measures do not follow a screen's dpi.
    font.setPixelSize(qRound(points * unitsPerPoint));
    font.setBold(bold);
    font.setItalic(italic);
    // "fl" and "fi" stay apart as letters, as the scripts that need shaping
    // still get it: a ligature reads back from the PDF as one odd
    // character, and "Profile" is then found by no search.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// On paper a text of the journal stands on its lines as the web page shows
// it: tabs and line breaks as single spaces.
QString onOneLine(const QString &text)
{
    return text.simplified();
}

// The lines of a text wider than width: broken between words, and inside a
// word wider than the whole width.
std::vector<TextLine> brokenLines(const QString &text, const TextStyle &style, qreal width)
{
    std::vector<TextLine> lines;
    QTextLayout layout(text, style.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
        lines.push_back({part, style.metrics.horizontalAdvance(part)});
    }
    layout.endLayout();
    return lines;
}

std::vector<TextLine> linesOf(const QString &text, qreal measured, const TextStyle &style, qreal width)
{
    if (measured <= width)
        return {{text, measured}};
    return brokenLines(text, style, std::max(width, qreal(1)));
}

// The width of each column: as wide as its widest text when the page allows,
// the spare width shared in proportion; when it does not, the columns of
// numbers keep theirs and the columns of names share what is left, the
// narrower keeping its width; and only when the numbers alone are too wide
// is every column narrowed alike.
std::vector<qreal> columnWidths(const std::vector<qreal> &natural, const std::vector<bool> &numbers, qreal width)
{
    const qreal total = std::accumulate(natural.begin(), natural.end(), qreal(0));
    std::vector<qreal> widths = natural;
    if (total <= 0)
        return widths;
    qreal fixed = 0;
    std::vector<std::size_t> names;
    for (std::size_t column = 0; column < natural.size(); ++column) {
        if (numbers[column])
            fixed += natural[column];
        else
            names.push_back(column);
    }
    if (total <= width || names.empty() || fixed >= width * 0.8) {
        for (qreal &column : widths)
            column *= width / total;
        return widths;
    }
    std::sort(names.begin(), names.end(), [&](std::size_t a, std::size_t b) { return natural[a] < natural[b]; });
    qreal left = width - fixed;
    for (std::size_t index = 0; index < names.size(); ++index) {
        const qreal share = left / qreal(names.size() - index);
        widths[names[index]] = std::min(natural[names[index]], share);
        left -= widths[names[index]];
    }
    return widths;
}

} // namespace

TextStyle::TextStyle(qreal points, bool bold, bool italic)
    : font(sheetFont(points, bold, italic)), metrics(font)
{
}

qreal Paragraph::height() const
{
    return qreal(lines.size()) * style->metrics.lineSpacing();
}

void Paragraph::paint(QPainter &painter, qreal top) const
{
    painter.setPen(Qt::black);
    painter.setFont(style->font);
    qreal baseline = top + style->metrics.ascent();
    for (const TextLine &line : lines) {
        painter.drawText(QPointF(0, baseline), line.text);
        baseline += style->metrics.lineSpacing();
    }
}

Paragraph laidParagraph(const QString &text, const TextStyle &style, qreal width, qreal spaceBefore, qreal spaceAfter)
{
    const QString shown = onOneLine(text);
    return {&style, linesOf(shown, style.metrics.horizontalAdvance(shown), style, width), spaceBefore, spaceAfter};
}

void TableRow::paint(QPainter &painter, qreal top) const
{
    if (cells.empty())
        return;
    const qreal left = cells.front().left;
    const qreal right = cells.back().left + cells.back().width;
    if (header)
        painter.fillRect(QRectF(left, top, right - left, height), headerShade);
    const TextStyle *current = nullptr;
    std::vector<QLineF> rules{QLineF(left, top, right, top), QLineF(left, top + height, right, top + height)};
    for (const TableCell &cell : cells) {
        rules.emplace_back(cell.left, top, cell.left, top + height);
        if (cell.style != current) {
            painter.setPen(Qt::black);
            current = cell.style;
            painter.setFont(current->font);
        }
        qreal baseline = top + cellPadding + current->metrics.ascent();
        for (const TextLine &line : cell.lines) {
            const qreal x = cell.right ? cell.left + cell.width - cellPadding - line.width : cell.left + cellPadding;
            painter.drawText(QPointF(x, baseline), line.text);
            baseline += current->metrics.lineSpacing();
        }
    }
    rules.emplace_back(right, top, right, top + height);
    painter.setPen(QPen(ruleColour, ruleWidth));
    painter.drawLines(rules.data(), int(rules.size()));
}

LaidTable laidTable(const contest::ResultTable &table, const SheetStyles &styles, qreal width)
{
    const std::vector<std::size_t> shown = table.sheetColumns();
    const std::size_t count = shown.size();
    std::vector<bool> numbers(count);
    std::vector<qreal> natural(count, 0);
    std::vector<QString> headings(count);
    std::vector<qreal> headingWidths(count);
    for (std::size_t at = 0; at < count; ++at) {
        const contest::ResultColumn &column = table.columns[shown[at]];
        numbers[at] = column.numbers;
        headings[at] = onOneLine(QString::fromStdString(column.heading));
        headingWidths[at] = styles.bold.metrics.horizontalAdvance(headings[at]);
        natural[at] = headingWidths[at] + 2 * cellPadding;
    }
    // Each cell's text and its width, measured once; a remark spans from
    // its column on and widens none.
    struct Measured {
        QString text;
        qreal width = 0;
        const TextStyle *style = nullptr;
    };
    std::vector<std::vector<Measured>> measured(table.rows.size());
    for (std::size_t index = 0; index < table.rows.size(); ++index) {
        const contest::ResultRow &row = table.rows[index];
        for (std::size_t at = 0; at < count; ++at) {
            if (!row.remark.empty() && shown[at] >= table.remarkAt) {
                const QString remark = onOneLine(sheetText(row.remark));
                measured[index].push_back({remark, styles.body.metrics.horizontalAdvance(remark), &styles.body});
                break;
            }
            const contest::ResultCell &cell = row.cells[shown[at]];
            const TextStyle &style = standsOut(cell) ? styles.bold : styles.body;
            const QString text = onOneLine(cellText(cell));
            const qreal textWidth = style.metrics.horizontalAdvance(text);
            measured[index].push_back({text, textWidth, &style});
            natural[at] = std::max(natural[at], textWidth + 2 * cellPadding);
        }
    }
    const std::vector<qreal> widths = columnWidths(natural, numbers, width);
    std::vector<qreal> lefts(count + 1, 0);
    for (std::size_t at = 0; at < count; ++at)
        lefts[at + 1] = lefts[at] + widths[at];

    const qreal lineSpacing = styles.body.metrics.lineSpacing();
    auto rowOf = [&](const std::vector<Measured> &cells, bool header) {
        TableRow laid;
        laid.header = header;
        std::size_t lines = 1;
        for (std::size_t at = 0; at < cells.size(); ++at) {
            // The last cell of a row with a remark reaches the table's end.
            const qreal cellWidth = (at + 1 == cells.size() ? lefts[count] : lefts[at + 1]) - lefts[at];
            TableCell &cell = laid.cells.emplace_back();
            cell.left = lefts[at];
            cell.width = cellWidth;
            cell.style = cells[at].style;
            cell.right = numbers[at] && (header || cells.size() == count || at + 1 < cells.size());
            cell.lines = linesOf(cells[at].text, cells[at].width, *cells[at].style, cellWidth - 2 * cellPadding);
            lines = std::max(lines, cell.lines.size());
        }
        laid.height = qreal(lines) * lineSpacing + 2 * cellPadding;
        return laid;
    };
    LaidTable laid;
    std::vector<Measured> header;
    for (std::size_t at = 0; at < count; ++at)
        header.push_back({headings[at], headingWidths[at], &styles.bold});
    laid.header = rowOf(header, true);
    laid.rows.reserve(table.rows.size());
    for (const std::vector<Measured> &row : measured)
        laid.rows.push_back(rowOf(row, false));
    return laid;
}

} // namespace orlo
