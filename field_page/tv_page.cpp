#include "tv_page.h"

#include "page_parts.h"
#include "results_model.h"
#include "web_text.h"

#include <algorithm>

namespace orlo::field {

namespace {

// White on black, 48 px type, for a screen across the field.
const char *const tvStyle = R"(
html, body { margin: 0; height: 100%; overflow: hidden; background: #000; color: #fff;
  font: 48px/1.3 "DejaVu Sans", Arial, sans-serif; }
#live { padding: 24px 40px; }
h1 { font-size: 64px; margin: 0 0 4px; }
.state { font-size: 40px; color: #ffe14d; margin: 0 0 16px; }
table { border-collapse: collapse; width: 1460px; }
th, td { padding: 4px 16px; text-align: left; border-bottom: 2px solid #666; white-space: nowrap; }
th { font-size: 40px; color: #ccc; }
td:nth-child(2) { max-width: 620px; overflow: hidden; text-overflow: ellipsis; }
.n { text-align: right; }
.said { position: absolute; left: -9999px; }
.slide { display: none; }
.slide.shown { display: block; }
.empty { font-size: 56px; margin-top: 200px; }
#banner { position: fixed; left: 0; right: 0; bottom: 0; padding: 24px 40px; background: #ffe14d; color: #000;
  font-size: 64px; font-weight: bold; }
#banner[hidden] { display: none; }
/* The right column, beside the table and clear of the banner: the address,
   then who is called, each line in 40 px type; a name too long is cut short,
   the flight's number never. */
.side { position: fixed; right: 16px; top: 32px; bottom: 150px; width: 390px; display: flex; flex-direction: column;
  overflow: hidden; }
.corner { flex: none; text-align: center; font-size: 26px; overflow-wrap: anywhere; }
.corner svg { width: 300px; height: 300px; display: block; margin: 0 auto 8px; }
.upnext { font-size: 40px; line-height: 1.1; margin-top: 12px; padding-left: 14px; }
.upnext h2 { font-size: 40px; margin: 0 0 6px; border-bottom: 2px solid #666; }
.upnext ol { list-style: none; margin: 0; padding: 0; }
.upnext li { margin: 0 0 6px; }
.upnext li > span { display: flex; white-space: nowrap; }
.upnext span span { min-width: 0; overflow: hidden; text-overflow: ellipsis; }
.upnext span span + span { flex: none; }
.upnext .called { color: #ffe14d; }
)";

// Cycles the slides every eight seconds and, after a flight, shows its
// banner for twelve; kept across updates of #live.
const char *const tvScript = R"(<script>
(function () {
  var at = 0, bannerTimer = null;
  function slides() { return document.querySelectorAll('#live .slide'); }
  function show() {
    var all = slides();
    if (!all.length) return;
    at = at % all.length;
    for (var i = 0; i < all.length; ++i) all[i].className = i === at ? 'slide shown' : 'slide';
  }
  setInterval(function () { at += 1; show(); }, 8000);
  var shownFlight = null;
  // A newer flight is told; a flight told that a correction took away is no longer.
  window.orloUpdated = function (old, fresh) {
    show();
    var before = Number(old.getAttribute('data-latest') || 0), now = Number(fresh.getAttribute('data-latest') || 0);
    var banner = document.getElementById('banner');
    if (now > before) {
      shownFlight = now;
      banner.textContent = fresh.getAttribute('data-banner');
      banner.hidden = false;
      clearTimeout(bannerTimer);
      bannerTimer = setTimeout(function () { banner.hidden = true; }, 12000);
    } else if (shownFlight !== null && shownFlight !== now) {
      banner.hidden = true;
    }
  };
  show();
})();
</script>
)";

std::string slide(std::string_view title, std::string_view state, const contest::ResultTable &table, std::size_t last,
                  std::size_t from, std::size_t pages, std::size_t page, bool first)
{
    contest::ResultTable part = table;
    const std::size_t end = std::min(table.rows.size(), from + tvRowsPerPage);
    part.rows.assign(table.rows.begin() + std::ptrdiff_t(from), table.rows.begin() + std::ptrdiff_t(end));
    std::string heading = htmlEscaped(title);
    if (pages > 1)
        heading += " <small>(" + std::to_string(page + 1) + " of " + std::to_string(pages) + ")</small>";
    // The first is shown at once, and alone without JavaScript.
    return std::string(first ? "<section class=\"slide shown\"><h1>" : "<section class=\"slide\"><h1>") + heading
        + "</h1><p class=\"state\">" + htmlEscaped(state) + "</p>"
        + resultTableHtml(part, last) + "</section>";
}

// A table in pages of tvRowsPerPage rows, one slide each.
std::string slides(std::string_view title, std::string_view state, const contest::ResultTable &table, std::size_t last,
                   bool first)
{
    const std::size_t pages = std::max<std::size_t>(1, (table.rows.size() + tvRowsPerPage - 1) / tvRowsPerPage);
    std::string html;
    for (std::size_t page = 0; page < pages; ++page)
        html += slide(title, state, table, last, page * tvRowsPerPage, pages, page, first && page == 0);
    return html;
}

// Next, on deck and in the hole, a line each for the label, the name, and
// the class with the flight.
std::string upNextStrip(const std::vector<contest::Call> &calls)
{
    if (calls.empty())
        return {};
    std::string html = "<section class=\"upnext\"><h2>Up next</h2><ol>";
    for (std::size_t place = 0; place < calls.size(); ++place)
        html += "<li><span class=\"called\">" + htmlEscaped(contest::calledAs(place)) + "</span><span><span><b>"
            + htmlEscaped(calls[place].contestant) + "</b></span></span><span><span>" + htmlEscaped(calls[place].caption)
            + "</span><span>, flight " + std::to_string(calls[place].flight) + "</span></span></li>";
    return html + "</ol></section>";
}

} // namespace

std::string tvPage(const FieldView &view, const TvCorner &corner)
{
    const contest::Results &results = view.results;
    std::string html = pageOpening(results.contest.name.empty() ? "Standings" : results.contest.name, tvStyle);
    const std::vector<LatestFlight> latest = latestFlights(view, 1);
    html += "<body><div id=\"live\" data-version=\"" + std::to_string(view.version) + "\"";
    if (!latest.empty())
        html += " data-latest=\"" + std::to_string(latest.front().flight) + "\" data-banner=\""
            + htmlEscaped(justFlownSentence(latest.front())) + "\"";
    html += ">";
    bool first = true;
    for (const contest::ClassStandings &standings : results.classes) {
        const contest::ResultTable table = contest::classResults(standings, results);
        html += slides(standings.rule.caption, classState(standings, results), table, table.remarkAt, first);
        first = false;
    }
    for (const contest::CombinedStandings &combined : results.combined) {
        contest::ResultTable table = contest::combinedResults(combined, results);
        html += slides(combined.combination.name, "Combined", table, table.columns.size(), first);
        first = false;
    }
    if (results.classes.empty() && results.combined.empty())
        html += "<section class=\"slide shown\"><h1>" + htmlEscaped(results.contest.name) + "</h1><p class=\"empty\">"
            + "No flights yet.</p></section>";
    // The column is taken in place with the rest at each change; its
    // address is the same, asked for by the same screen.
    html += "<div class=\"side\">";
    if (!corner.address.empty())
        html += "<aside class=\"corner\">" + corner.qrSvg + "Follow on your phone:<br><b>" + htmlEscaped(corner.address)
            + "</b></aside>";
    html += upNextStrip(view.upNext) + "</div></div><div id=\"banner\" role=\"status\" hidden></div>";
    return html + liveScript() + tvScript + "</body></html>\n";
}

std::string qrSvg(const std::vector<bool> &modules, int width)
{
    constexpr int quiet = 4; // modules of white around the code, as readers expect
    const int side = width + 2 * quiet;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + std::to_string(side) + " "
        + std::to_string(side) + "\" shape-rendering=\"crispEdges\" role=\"img\" aria-label=\"QR code of the address\">"
        + "<rect width=\"" + std::to_string(side) + "\" height=\"" + std::to_string(side) + "\" fill=\"#fff\"/><path d=\"";
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x)
            if (std::size_t(y * width + x) < modules.size() && modules[std::size_t(y * width + x)])
                svg += "M" + std::to_string(x + quiet) + " " + std::to_string(y + quiet) + "h1v1h-1z";
    return svg + "\" fill=\"#000\"/></svg>";
}

} // namespace orlo::field
