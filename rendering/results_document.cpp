#include "results_document.h"

#include "contest_words.h"
#include "contestant_names.h"
#include "results_model.h"

#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>

namespace orlo {

namespace {

using contest::ClassStandings;
using contest::CombinedStandings;
using contest::Results;

// Kept to what both a web browser and Qt's rich text understand.
const char *const pageStyle = R"(
body { font-family: "DejaVu Sans", Arial, sans-serif; }
h1 { font-size: 16pt; margin-bottom: 2px; }
h2 { font-size: 12pt; margin-top: 14px; margin-bottom: 2px; }
p { margin-top: 2px; margin-bottom: 4px; }
table { border-collapse: collapse; }
th { background-color: #d9d9d9; font-weight: bold; text-align: left; }
td.n, th.n { text-align: right; }
.state { font-weight: bold; }
.note { font-style: italic; }
)";

// A text of the journal as the sheet shows it: control characters left out,
// as the CSV leaves them out, and one longer than any name the entry list
// takes cut with an ellipsis, so that whatever a journal holds is drawn on a
// few lines and in a moment.
QString text(const std::string &value)
{
    std::string kept;
    std::size_t characters = 0;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte == 0x7f) && c != '\t' && c != '\n' && c != '\r')
            continue;
        if ((byte & 0xc0) != 0x80 && ++characters > contest::longestName)
            return QString::fromStdString(kept).toHtmlEscaped() + QStringLiteral("…");
        kept += c;
    }
    return QString::fromStdString(kept).toHtmlEscaped();
}

QString cell(const QString &content, bool number = false)
{
    return number ? QStringLiteral("<td class=\"n\" align=\"right\">%1</td>").arg(content)
                  : QStringLiteral("<td>%1</td>").arg(content);
}

QString headerCell(const QString &heading, bool number = false)
{
    return number ? QStringLiteral("<th class=\"n\" align=\"right\">%1</th>").arg(heading)
                  : QStringLiteral("<th>%1</th>").arg(heading);
}

QString openTable()
{
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">");
}

QString days(const contest::ContestSettings &contest)
{
    if (contest.firstDay.empty() || contest.lastDay.empty() || contest.firstDay == contest.lastDay)
        return text(contest.firstDay.empty() ? contest.lastDay : contest.firstDay);
    return text(contest.firstDay) + QStringLiteral(" to ") + text(contest.lastDay);
}

QString stateLine(const ClassStandings &standings, const std::string &asOf)
{
    const contest::ClassRule &rule = standings.rule;
    if (!rule.final)
        return QString::fromStdString(contest::provisionalAsOf(shownToTheMinute(asOf).toStdString()));
    QString state = QString::fromStdString(
        contest::finalState(rule.finalAt.empty() ? std::string() : shownToTheMinute(rule.finalAt).toStdString()));
    if (standings.waiting > 0)
        state += QStringLiteral(". %1.").arg(text(contest::waitingAfterFinal(
            standings.waiting, shownToTheMinute(standings.firstWaitingAt).toStdString())));
    return state;
}

// A cell's content as the sheet sets it apart: the counted flights and the
// score in bold, a flight beyond those allowed in brackets.
QString content(const contest::ResultCell &cell)
{
    const QString shown = text(cell.text);
    switch (cell.mark) {
    case contest::Mark::Counted:
    case contest::Mark::Score:
        return QStringLiteral("<b>%1</b>").arg(shown);
    case contest::Mark::BeyondAllowed:
        return QStringLiteral("(%1)").arg(shown);
    case contest::Mark::None:
        break;
    }
    return shown;
}

QString tableOf(const contest::ResultTable &standings)
{
    const std::vector<std::size_t> shown = standings.sheetColumns();
    QString html = openTable() + QStringLiteral("<thead><tr>");
    for (const std::size_t column : shown)
        html += headerCell(QString::fromStdString(standings.columns[column].heading).toHtmlEscaped(),
                           standings.columns[column].numbers);
    html += QStringLiteral("</tr></thead><tbody>");
    for (const contest::ResultRow &row : standings.rows) {
        html += QStringLiteral("<tr>");
        for (std::size_t at = 0; at < shown.size(); ++at) {
            if (!row.remark.empty() && shown[at] >= standings.remarkAt) {
                html += QStringLiteral("<td colspan=\"%1\">%2</td>").arg(shown.size() - at).arg(text(row.remark));
                break;
            }
            html += cell(content(row.cells[shown[at]]), standings.columns[shown[at]].numbers);
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</tbody></table>");
}

QString classTable(const ClassStandings &standings, const Results &results)
{
    const contest::ResultTable table = contest::classResults(standings, results);
    QString html = QStringLiteral("<h2>%1</h2>").arg(text(standings.rule.caption));
    html += QStringLiteral("<p class=\"state\"><b>%1</b></p>").arg(stateLine(standings, results.asOf));
    html += QStringLiteral("<p>%1</p>").arg(QString::fromStdString(contest::ruleSentence(standings.rule)));
    html += tableOf(table);
    if (standings.rows.empty())
        html += QStringLiteral("<p class=\"note\">Nobody has entered or flown in this class yet.</p>");
    if (table.beyondAllowed)
        html += QStringLiteral("<p class=\"note\">Scores in brackets were flown after the official flights allowed "
                               "and do not count.</p>");
    return html;
}

QString combinedTable(const CombinedStandings &combined)
{
    QStringList captions;
    for (const std::string &caption : combined.combination.classes)
        captions << QString::fromStdString(caption);
    QString html = QStringLiteral("<h2>%1</h2>").arg(text(combined.combination.name));
    html += QStringLiteral("<p>The sum of the counted scores of %1.</p>").arg(captions.join(QStringLiteral(", ")).toHtmlEscaped());
    return html + tableOf(contest::combinedResults(combined));
}

} // namespace

QString shownToTheMinute(const std::string &localTime)
{
    return QString::fromStdString(contest::shownMoment(localTime));
}

QString resultsHtml(const Results &results)
{
    const QString name = results.contest.name.empty() ? QStringLiteral("Contest results") : text(results.contest.name);
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title><style>%2</style>"
                                  "</head><body>")
                       .arg(name, QString::fromLatin1(pageStyle));
    html += QStringLiteral("<h1>%1</h1>").arg(name);
    if (const QString when = days(results.contest); !when.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(when);
    if (!results.unreadAt.empty())
        html += QStringLiteral("<p class=\"note\"><b>The journal could not be read at %1: these standings are as "
                               "read at %2 and may lack later flights and corrections.</b></p>")
                    .arg(shownToTheMinute(results.unreadAt), shownToTheMinute(results.asOf));
    if (results.noFlights())
        html += QStringLiteral("<p class=\"note\">%1</p>").arg(text(contest::noFlightCounts(results.voidFlights)));
    for (const ClassStandings &standings : results.classes)
        html += classTable(standings, results);
    for (const CombinedStandings &combined : results.combined)
        html += combinedTable(combined);
    if (results.flightsWithoutContestant > 0)
        html += QStringLiteral("<p class=\"note\">%1 %2 no contestant named and %3 counted nowhere; the flights "
                               "window names the contestant.</p>")
                    .arg(results.flightsWithoutContestant)
                    .arg(results.flightsWithoutContestant == 1 ? QStringLiteral("flight has")
                                                               : QStringLiteral("flights have"))
                    .arg(results.flightsWithoutContestant == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    return html + QStringLiteral("</body></html>\n");
}

void fillResultsDocument(QTextDocument &document, const Results &results)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    // "fl" and "fi" stay apart as letters, as the scripts that need shaping
    // still get it: a ligature reads back from the PDF as one odd
    // character, and "Profile" is then found by no search.
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    // A name of one long word breaks inside its column rather than widening
    // the table beyond the page.
    QTextOption wrapping = document.defaultTextOption();
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrapping);
    document.setHtml(resultsHtml(results));
}

QPageSize paperFor(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

void printPaged(QTextDocument &document, QPagedPaintDevice &device)
{
    QPainter painter(&device);
    document.documentLayout()->setPaintDevice(&device);
    const QRectF paintable = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal footer = painter.fontMetrics().height() * 2.0;
    const QSizeF page(paintable.width(), paintable.height() - footer);
    document.setPageSize(page);
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -index * page.height());
        document.drawContents(&painter, QRectF(QPointF(0, index * page.height()), page));
        painter.restore();
        painter.drawText(QRectF(0, page.height(), page.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages));
    }
}

} // namespace orlo
