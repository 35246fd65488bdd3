#include "results_document.h"

#include "contest_words.h"
#include "results_model.h"
#include "series_results.h"
#include "series_words.h"
#include "sheet_words.h"

#include <QLocale>

namespace orlo {

namespace {

using contest::ClassStandings;
using contest::CombinedStandings;
using contest::Results;

// Kept to what every web browser understands alike.
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

QString text(const std::string &value)
{
    return sheetText(value).toHtmlEscaped();
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

// A cell's content as the sheet sets it apart: the counted flights and the
// score in bold, a flight beyond those allowed in brackets.
QString content(const contest::ResultCell &cell)
{
    const QString shown = cellText(cell).toHtmlEscaped();
    return standsOut(cell) ? QStringLiteral("<b>%1</b>").arg(shown) : shown;
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
    html += QStringLiteral("<p class=\"state\"><b>%1</b></p>").arg(stateLine(standings, results.asOf).toHtmlEscaped());
    html += QStringLiteral("<p>%1</p>").arg(QString::fromStdString(contest::ruleSentence(standings.rule)).toHtmlEscaped());
    html += tableOf(table);
    if (standings.rows.empty())
        html += QStringLiteral("<p class=\"note\">%1</p>").arg(nobodyInClassNote());
    if (table.beyondAllowed)
        html += QStringLiteral("<p class=\"note\">%1</p>").arg(beyondAllowedNote());
    return html;
}

QString combinedTable(const CombinedStandings &combined, const Results &results)
{
    QString html = QStringLiteral("<h2>%1</h2>").arg(text(combined.combination.name));
    html += QStringLiteral("<p class=\"state\"><b>%1</b></p>").arg(combinationStateLine(combined, results).toHtmlEscaped());
    if (const QString waiting = combinationWaiting(combined); !waiting.isEmpty())
        html += QStringLiteral("<p class=\"state\"><b>%1</b></p>").arg(waiting.toHtmlEscaped());
    html += QStringLiteral("<p>%1</p>").arg(combinationSentence(combined).toHtmlEscaped());
    return html + tableOf(contest::combinedResults(combined, results));
}

} // namespace

QString resultsHtml(const Results &results)
{
    const QString name = sheetTitle(results).toHtmlEscaped();
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title><style>%2</style>"
                                  "</head><body>")
                       .arg(name, QString::fromLatin1(pageStyle));
    html += QStringLiteral("<h1>%1</h1>").arg(name);
    if (const QString when = contestDays(results.contest); !when.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(when.toHtmlEscaped());
    if (const QString unread = unreadNote(results); !unread.isEmpty())
        html += QStringLiteral("<p class=\"note\"><b>%1</b></p>").arg(unread.toHtmlEscaped());
    if (results.noFlights())
        html += QStringLiteral("<p class=\"note\">%1</p>").arg(noFlightsNote(results.voidFlights).toHtmlEscaped());
    for (const ClassStandings &standings : results.classes)
        html += classTable(standings, results);
    for (const CombinedStandings &combined : results.combined)
        html += combinedTable(combined, results);
    if (const QString unnamed = unnamedFlightsNote(results.flightsWithoutContestant); !unnamed.isEmpty())
        html += QStringLiteral("<p class=\"note\">%1</p>").arg(unnamed);
    return html + QStringLiteral("</body></html>\n");
}

QString seriesHtml(const contest::SeriesStandings &standings)
{
    const QString name = seriesTitle(standings).toHtmlEscaped();
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title><style>%2</style>"
                                  "</head><body>")
                       .arg(name, QString::fromLatin1(pageStyle));
    html += QStringLiteral("<h1>%1</h1>").arg(name);
    html += QStringLiteral("<p>%1</p>").arg(seriesContestsLine(standings).toHtmlEscaped());
    if (standings.tables.empty() && !standings.contests.empty())
        html += QStringLiteral("<p class=\"note\">%1</p>").arg(noSeriesNote().toHtmlEscaped());
    for (const contest::SeriesTable &table : standings.tables) {
        html += QStringLiteral("<h2>%1</h2>").arg(text(table.rule.caption));
        const std::vector<std::string> sentences = contest::seriesSentences(table, standings.series);
        for (std::size_t at = 0; at < sentences.size(); ++at)
            html += at == 0 && !table.stillRunning.empty()
                ? QStringLiteral("<p class=\"state\"><b>%1</b></p>").arg(QString::fromStdString(sentences[at]).toHtmlEscaped())
                : QStringLiteral("<p>%1</p>").arg(QString::fromStdString(sentences[at]).toHtmlEscaped());
        html += tableOf(contest::seriesResults(table, standings));
    }
    html += QStringLiteral("<p class=\"note\">%1</p>").arg(QString::fromStdString(contest::sameContestantSentence()).toHtmlEscaped());
    return html + QStringLiteral("</body></html>\n");
}

QString resultTableHtml(const contest::ResultTable &table)
{
    return tableOf(table);
}

QPageSize paperFor(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

} // namespace orlo
