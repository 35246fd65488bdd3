#include "page_parts.h"

#include "web_text.h"

#include <algorithm>

namespace orlo::field {

namespace {

// Black on white in large type, for a phone in the sun; every table fits
// a phone's width.
const char *const phoneStyle = R"(
body { margin: 0; padding: 6px; background: #fff; color: #000; font: 19px/1.35 "DejaVu Sans", Arial, sans-serif; }
h1 { font-size: 28px; margin: 4px 0; }
h2 { font-size: 24px; margin: 20px 0 4px; border-top: 3px solid #000; padding-top: 8px; }
p { margin: 4px 0; }
a { color: #0033a0; }
table { border-collapse: collapse; width: 100%; }
caption { position: absolute; left: -9999px; }
small { font-size: 16px; }
/* A long name without a space breaks anywhere rather than widening the page. */
h1, td { overflow-wrap: anywhere; }
th, td { border: 1px solid #000; padding: 5px 4px; text-align: left; vertical-align: top; }
th { background: #e6e6e6; font-size: 16px; }
.n { text-align: right; white-space: nowrap; }
.remark { font-style: italic; }
.upnext th[scope=row] { font-size: 19px; white-space: nowrap; }
.state { font-weight: bold; }
.said { position: absolute; left: -9999px; }
nav a { display: inline-block; margin: 4px 12px 4px 0; }
table.flight { width: 100%; margin: 8px 0 12px; }
table.flight th[scope=row] { font-weight: normal; }
/* A series' points: the contest at the left, its points at the right, a line each. */
.pts { display: flex; justify-content: space-between; gap: 8px; overflow-wrap: normal; }
.pts + .pts { border-top: 1px solid #999; }
.pts > :last-child { white-space: nowrap; }
footer { margin-top: 24px; border-top: 3px solid #000; padding-top: 8px; }
)";

} // namespace

std::string pageOpening(std::string_view title, std::string_view style)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                       "<noscript><meta http-equiv=\"refresh\" content=\"15\"></noscript><title>";
    html += htmlEscaped(title);
    html += "</title><style>";
    html += style;
    html += "</style></head>\n";
    return html;
}

std::string phoneDocument(std::uint64_t version, std::string_view title, const std::string &body,
                          const std::string &footer)
{
    return pageOpening(title, phoneStyle) + "<body><div id=\"live\" data-version=\"" + std::to_string(version) + "\">"
        + body + "</div>" + footer + liveScript() + "</body></html>\n";
}

std::string liveScript()
{
    // Plain script, no library: a failed wait is tried again after a pause;
    // the page read again is taken whole, so the server draws every page.
    return R"(<script>
(function () {
  var pause = 2000;
  function version() { return document.getElementById('live').getAttribute('data-version'); }
  function take() {
    return fetch(location.pathname, {cache: 'no-store'}).then(function (r) { return r.text(); }).then(function (text) {
      var fresh = new DOMParser().parseFromString(text, 'text/html').getElementById('live');
      var old = document.getElementById('live');
      if (!fresh) return;
      // Taken in one step, the page never shorter meanwhile: the reader's scroll stays.
      old.replaceWith(fresh);
      if (window.orloUpdated) window.orloUpdated(old, fresh);
    });
  }
  function wait() {
    var seen = version();
    fetch('/standings.json?since=' + encodeURIComponent(seen), {cache: 'no-store'})
      .then(function (r) { if (!r.ok) throw r.status; return r.json(); })
      .then(function (json) { return String(json.version) !== seen ? take() : null; })
      .then(function () { setTimeout(wait, 0); }, function () { setTimeout(wait, pause); });
  }
  wait();
})();
</script>
)";
}

std::string cellHtml(const contest::ResultCell &cell)
{
    using contest::Mark;
    if (cell.text.empty())
        return {};
    switch (cell.mark) {
    case Mark::Counted:
        return "<b>" + htmlEscaped(cell.text) + "</b><span class=\"said\"> counts</span>";
    case Mark::BeyondAllowed:
        return "(" + htmlEscaped(cell.text) + ")<span class=\"said\"> beyond the flights allowed</span>";
    case Mark::Score:
        return "<b>" + htmlEscaped(cell.text) + "</b>";
    case Mark::None:
        break;
    }
    return htmlEscaped(cell.text);
}

std::string resultTableHtml(const contest::ResultTable &table, std::size_t last)
{
    std::vector<std::size_t> shown;
    for (const std::size_t column : table.sheetColumns())
        if (column <= last)
            shown.push_back(column);
    std::string html = "<table><thead><tr>";
    for (const std::size_t column : shown)
        html += std::string(table.columns[column].numbers ? "<th scope=\"col\" class=\"n\">" : "<th scope=\"col\">")
            + htmlEscaped(table.columns[column].heading) + "</th>";
    html += "</tr></thead><tbody>";
    for (std::size_t at = 0; at < table.rows.size(); ++at) {
        const contest::ResultRow &row = table.rows[at];
        html += "<tr>";
        for (std::size_t index = 0; index < shown.size(); ++index) {
            const std::size_t column = shown[index];
            if (!row.remark.empty() && column >= table.remarkAt) {
                html += "<td colspan=\"" + std::to_string(shown.size() - index) + "\" class=\"remark\">"
                    + htmlEscaped(row.remark) + "</td>";
                break;
            }
            html += std::string(table.columns[column].numbers ? "<td class=\"n\">" : "<td>")
                + cellHtml(row.cells[column]) + "</td>";
        }
        html += "</tr>";
    }
    return html + "</tbody></table>";
}

} // namespace orlo::field
