#include "results_pages.h"

#include "contest_words.h"
#include "series_results.h"
#include "sheet_layout.h"
#include "sheet_words.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <deque>

namespace orlo {

namespace {

constexpr qreal point = unitsPerPoint;

// A piece of the sheet's flow: a paragraph, or one row of a table (its
// header among them), with the table's header to repeat above it.
struct Piece {
    const Paragraph *paragraph = nullptr;
    const TableRow *row = nullptr;
    const Piece *header = nullptr;
    bool keepWithNext = false; // a heading stays with what it introduces

    qreal height() const { return paragraph ? paragraph->height() : row->height; }
    qreal spaceBefore() const { return paragraph ? paragraph->spaceBefore : 0; }
    qreal spaceAfter() const { return paragraph ? paragraph->spaceAfter : 0; }
    void paint(QPainter &painter, qreal top) const
    {
        if (paragraph)
            paragraph->paint(painter, top);
        else
            row->paint(painter, top);
    }
};

struct Placed {
    const Piece *piece;
    qreal top;
};

using Page = std::vector<Placed>;

// The whole sheet laid out to the page's width, its pieces in the order
// they are read. Pieces point into the paragraphs and tables kept here.
class Sheet {
public:
    Sheet(const contest::Results &results, qreal width);
    Sheet(const contest::SeriesStandings &standings, qreal width);
    Sheet(const Sheet &) = delete;
    Sheet &operator=(const Sheet &) = delete;
    std::vector<Page> pages(qreal height) const;
    const SheetStyles &styles() const { return m_styles; }

private:
    void add(const QString &text, const TextStyle &style, qreal before, qreal after, bool keepWithNext = false);
    void add(const contest::ResultTable &table);
    void addNote(const QString &text, const TextStyle &style, qreal before, qreal after);

    qreal m_width;
    SheetStyles m_styles;
    std::deque<Paragraph> m_paragraphs;
    std::deque<LaidTable> m_tables;
    std::deque<Piece> m_flow;
};

Sheet::Sheet(const contest::Results &results, qreal width) : m_width(width)
{
    add(sheetTitle(results), m_styles.title, 0, 1 * point);
    if (const QString when = contestDays(results.contest); !when.isEmpty())
        add(when, m_styles.body, 2 * point, 4 * point);
    if (const QString unread = unreadNote(results); !unread.isEmpty())
        add(unread, m_styles.boldNote, 2 * point, 4 * point);
    if (results.noFlights())
        add(noFlightsNote(results.voidFlights), m_styles.note, 2 * point, 4 * point);
    for (const contest::ClassStandings &standings : results.classes) {
        const contest::ResultTable table = contest::classResults(standings, results);
        add(sheetText(standings.rule.caption), m_styles.heading, 9 * point, 0, true);
        add(stateLine(standings, results.asOf), m_styles.bold, 0, 1 * point, true);
        add(QString::fromStdString(contest::ruleSentence(standings.rule)), m_styles.body, 1 * point, 2 * point, true);
        add(table);
        if (standings.rows.empty())
            addNote(nobodyInClassNote(), m_styles.note, 4 * point, 2 * point);
        if (table.beyondAllowed)
            addNote(beyondAllowedNote(), m_styles.note, 4 * point, 2 * point);
    }
    for (const contest::CombinedStandings &combined : results.combined) {
        add(sheetText(combined.combination.name), m_styles.heading, 9 * point, 0, true);
        add(combinationStateLine(combined, results), m_styles.bold, 0, 1 * point, true);
        if (const QString waiting = combinationWaiting(combined); !waiting.isEmpty())
            add(waiting, m_styles.bold, 0, 1 * point, true);
        add(combinationSentence(combined), m_styles.body, 1 * point, 2 * point, true);
        add(contest::combinedResults(combined, results));
    }
    if (const QString unnamed = unnamedFlightsNote(results.flightsWithoutContestant); !unnamed.isEmpty())
        addNote(unnamed, m_styles.note, 6 * point, 2 * point);
}

Sheet::Sheet(const contest::SeriesStandings &standings, qreal width) : m_width(width)
{
    add(seriesTitle(standings), m_styles.title, 0, 1 * point);
    add(seriesContestsLine(standings), m_styles.body, 2 * point, 4 * point);
    if (standings.tables.empty() && !standings.contests.empty())
        add(noSeriesNote(), m_styles.note, 2 * point, 4 * point);
    for (const contest::SeriesTable &table : standings.tables) {
        add(sheetText(table.rule.caption), m_styles.heading, 9 * point, 0, true);
        const std::vector<std::string> sentences = contest::seriesSentences(table, standings.series);
        for (std::size_t at = 0; at < sentences.size(); ++at)
            add(QString::fromStdString(sentences[at]), at == 0 && !table.stillRunning.empty() ? m_styles.bold : m_styles.body,
                1 * point, 1 * point, true);
        add(contest::seriesResults(table, standings));
    }
    addNote(QString::fromStdString(contest::sameContestantSentence()), m_styles.note, 6 * point, 2 * point);
}

void Sheet::add(const QString &text, const TextStyle &style, qreal before, qreal after, bool keepWithNext)
{
    m_paragraphs.push_back(laidParagraph(text, style, m_width, before, after));
    m_flow.push_back({&m_paragraphs.back(), nullptr, nullptr, keepWithNext});
}

// A note never stands alone at a page's top: it goes there with the last
// row of the table it follows.
void Sheet::addNote(const QString &text, const TextStyle &style, qreal before, qreal after)
{
    if (!m_flow.empty())
        m_flow.back().keepWithNext = true;
    add(text, style, before, after);
}

void Sheet::add(const contest::ResultTable &table)
{
    const LaidTable &laid = m_tables.emplace_back(laidTable(table, m_styles, m_width));
    const Piece &header = m_flow.emplace_back(Piece{nullptr, &laid.header, nullptr, true});
    for (const TableRow &row : laid.rows)
        m_flow.push_back({nullptr, &row, &header, false});
}

// Fills page after page from the top: a piece goes on the next page when it
// and the pieces kept with it would pass the page's foot, and a row that
// begins a page has its table's header drawn above it.
std::vector<Page> Sheet::pages(qreal height) const
{
    std::vector<Page> pages(1);
    qreal top = 0;
    for (auto piece = m_flow.begin(); piece != m_flow.end(); ++piece) {
        qreal needed = (top > 0 ? piece->spaceBefore() : 0) + piece->height();
        for (auto kept = piece; kept->keepWithNext && std::next(kept) != m_flow.end(); ++kept)
            needed += kept->spaceAfter() + std::next(kept)->spaceBefore() + std::next(kept)->height();
        if (top > 0 && top + needed > height) {
            pages.emplace_back();
            top = 0;
        }
        if (top == 0 && piece->header) {
            pages.back().push_back({piece->header, 0});
            top = piece->header->height();
        }
        top += top > 0 ? piece->spaceBefore() : 0;
        pages.back().push_back({&*piece, top});
        top += piece->height() + piece->spaceAfter();
    }
    return pages;
}

} // namespace

QPageLayout resultsPageLayout(const QPageSize &paper)
{
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
}

namespace {

// Draws the sheet of what is given, results or a series, page by page.
template <typename Shown>
int paintSheet(const Shown &shown, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const QRectF paintable = device.pageLayout().paintRect(QPageLayout::Point);
    const qreal width = paintable.width() * point;
    const Sheet sheet(shown, width);
    const TextStyle &footStyle = sheet.styles().body;
    const qreal foot = 2 * footStyle.metrics.lineSpacing();
    const qreal height = paintable.height() * point - foot;
    const std::vector<Page> pages = sheet.pages(height);
    // From the sheet's units to the device's dots, set again on each page.
    const QTransform toDevice = QTransform::fromScale(device.logicalDpiX() / (72 * point),
                                                      device.logicalDpiY() / (72 * point));
    for (std::size_t index = 0; index < pages.size(); ++index) {
        if (index > 0)
            device.newPage();
        painter.setWorldTransform(toDevice);
        for (const Placed &placed : pages[index])
            placed.piece->paint(painter, placed.top);
        painter.setPen(Qt::black);
        painter.setFont(footStyle.font);
        const QString number = QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages.size());
        painter.drawText(QPointF(width - footStyle.metrics.horizontalAdvance(number),
                                 height + foot - footStyle.metrics.descent()),
                         number);
    }
    painter.end();
    return int(pages.size());
}

} // namespace

int paintResults(const contest::Results &results, QPagedPaintDevice &device)
{
    return paintSheet(results, device);
}

int paintSeries(const contest::SeriesStandings &standings, QPagedPaintDevice &device)
{
    return paintSheet(standings, device);
}

} // namespace orlo
