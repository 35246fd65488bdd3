#include "field_routes.h"
#include "field_view.h"
#include "phone_page.h"
#include "series_page.h"
#include "standings_json.h"
#include "tv_page.h"
#include "web_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace orlo;

// The field's pages drawn from small contests written out in the tables:
// entries as "name|class", flights as "name|class|score|status" in the order
// flown, the first entry's name given apart so that a hostile one goes
// everywhere a name goes. The season's series counts the contest twice, as
// two contests, the better one alone: the other is dropped.
class FieldPageTest : public QObject {
    Q_OBJECT

private slots:
    void namesStayText_data();
    void namesStayText();
    void jsonFields_data();
    void jsonFields();
    void pages_data();
    void pages();
    void ordinals_data();
    void ordinals();
    void routes_data();
    void routes();
};

namespace {

// called: the director keeps an order of flying (every class as entered),
// so the view calls who is next as the journal's reader does.
field::FieldView viewOf(const QStringList &entryLines, const QStringList &flightLines, int allowed = 2,
                        bool called = false)
{
    contest::ContestSettings contest;
    contest.name = "Field Day <b>&</b>";
    contest.firstDay = contest.lastDay = "2026-07-15";
    for (const char *caption : {"Class I", "Profile"}) {
        contest::ClassRule rule;
        rule.caption = caption;
        rule.officialFlights = allowed;
        contest.classes.push_back(rule);
    }
    contest.combinations.push_back({"Class I + Profile", {"Class I", "Profile"}});
    std::vector<contest::Entry> entries;
    for (const QString &line : entryLines) {
        const QStringList parts = line.split(u'|');
        entries.push_back({std::int64_t(entries.size()) + 1, parts[0].toStdString(),
                           std::to_string(entries.size() + 11), {parts[1].toStdString()}, 0});
    }
    std::vector<contest::ScoredFlight> flights;
    for (const QString &line : flightLines) {
        const QStringList parts = line.split(u'|');
        contest::ScoredFlight flight;
        flight.id = std::int64_t(flights.size()) + 1;
        flight.contestant = parts[0].toStdString();
        for (const contest::Entry &entry : entries)
            if (entry.name == flight.contestant)
                flight.entry = entry.id;
        flight.classCaption = parts[1].toStdString();
        flight.score = parts[2].toStdString();
        flight.highSpeedPoints = "HS" + flight.score;
        flight.landingPoints = "L" + flight.score;
        flight.status = contest::statusNamed(parts.value(3, QStringLiteral("official")).toStdString()).value();
        flight.recordedAt = "2026-07-15T10:0" + std::to_string(flights.size()) + ":00+0200";
        flights.push_back(flight);
    }
    field::FieldView view;
    view.results = contest::rank(contest, entries, flights, {}, "2026-07-15T10:30:00+0200");
    // The journal lists them newest first.
    view.flights.assign(flights.rbegin(), flights.rend());
    if (called)
        view.upNext = contest::upNext(contest::callList(contest, {}, entries, view.flights));
    view.version = 7;
    return view;
}

// The view with a series "Club <Cup>" of two contests alike, the best one counting.
field::FieldView withSeries(field::FieldView view)
{
    contest::SeriesSettings series;
    series.name = "Club <Cup>";
    series.counted = contest::CountedContests::Best;
    series.best = 1;
    view.series.push_back(contest::rankSeries(series, {{"a", "Spring <Open>", view.results}, {"b", "Summer Cup", view.results}}));
    return view;
}

QString pageNamed(const QString &which, const field::FieldView &view)
{
    if (which == QLatin1String("series"))
        return QString::fromStdString(field::seriesPage(withSeries(view)));
    if (which == QLatin1String("no series"))
        return QString::fromStdString(field::seriesPage(view));
    if (which == QLatin1String("phone, series"))
        return QString::fromStdString(field::phonePage(withSeries(view)));
    if (which == QLatin1String("phone"))
        return QString::fromStdString(field::phonePage(view));
    if (which == QLatin1String("tv"))
        return QString::fromStdString(field::tvPage(view, {"http://192.0.2.1:8080/", "<svg></svg>"}));
    if (which == QLatin1String("contestant"))
        return QString::fromStdString(field::contestantPage(view, 1).value_or("no page"));
    return QString::fromStdString(field::standingsJson(view));
}

// The value at a path such as "classes/0/rows/1/place", as text.
QString at(const QJsonDocument &json, const QString &path)
{
    QJsonValue value = json.object();
    for (const QString &step : path.split(u'/')) {
        bool index = false;
        const int number = step.toInt(&index);
        value = index ? value.toArray().at(number) : value.toObject().value(step);
    }
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isDouble())
        return QString::number(value.toDouble());
    if (value.isArray())
        return QString::number(value.toArray().size()) + QStringLiteral(" items");
    return value.isUndefined() ? QStringLiteral("(none)") : value.toString();
}

} // namespace

void FieldPageTest::namesStayText_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("raw");   // must not be in the page as it is
    QTest::addColumn<QString>("shown"); // what stands for it instead

    const QByteArray script = "</script><img src=x onerror=alert(1)>";
    for (const char *page : {"phone", "tv", "contestant", "series"}) {
        QTest::addRow("script tag on %s", page) << script << page << QString::fromUtf8(script)
                                                << QStringLiteral("&lt;/script&gt;&lt;img src=x onerror=alert(1)&gt;");
        QTest::addRow("quotes on %s", page) << QByteArray("Ann \"Ace\" O'Hara") << page
                                            << QStringLiteral("Ann \"Ace\"") << QStringLiteral("Ann &quot;Ace&quot; O&#39;Hara");
    }
    QTest::newRow("script tag in JSON") << script << "json" << QStringLiteral("</script>")
                                        << QStringLiteral("\\u003c/script\\u003e");
    QTest::newRow("line separator in JSON") << QByteArray("Ann\xe2\x80\xa8Lee") << "json"
                                            << QString(QChar(0x2028)) << QStringLiteral("Ann\\u2028Lee");
    QTest::newRow("broken UTF-8 in JSON") << QByteArray("Ann\xff\xc3 Lee") << "json" << QString()
                                          << QStringLiteral("Ann\uFFFD\uFFFD Lee");
    QTest::newRow("control character in JSON") << QByteArray("Ann\x01Lee") << "json" << QString()
                                                << QStringLiteral("Ann\\u0001Lee");
    const QString escaped = QStringLiteral("&lt;/script&gt;&lt;img src=x onerror=alert(1)&gt;");
    QTest::newRow("called next on the phone") << script << "phone" << QString::fromUtf8(script)
                                              << "<th scope=\"row\">Next</th><td><a href=\"/contestant/1\">" + escaped;
    QTest::newRow("called next on the tv") << script << "tv" << QString::fromUtf8(script)
                                           << "<span class=\"called\">Next</span><span><span><b>" + escaped;
    QTest::newRow("called next in JSON") << script << "json" << QStringLiteral("</script>")
                                         << QStringLiteral("\"called\":\"Next\",\"entry\":1,\"contestant\":\"\\u003c/script\\u003e");
    QTest::newRow("contest name on the phone") << QByteArray("Ann") << "phone" << QStringLiteral("<b>&</b>")
                                               << QStringLiteral("Field Day &lt;b&gt;&amp;&lt;/b&gt;");
    QTest::newRow("series name linked from the phone") << QByteArray("Ann") << "phone, series" << QStringLiteral("<Cup>")
                                                       << QStringLiteral("series: Club &lt;Cup&gt;</a>");
    QTest::newRow("series name") << QByteArray("Ann") << "series" << QStringLiteral("<Cup>")
                                 << QStringLiteral("<h1>Club &lt;Cup&gt;</h1>");
    QTest::newRow("contest name in the series") << QByteArray("Ann") << "series" << QStringLiteral("<Open>")
                                                << QStringLiteral("<span>Spring &lt;Open&gt;</span> <b>10</b>");
}

void FieldPageTest::namesStayText()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, page);
    QFETCH(QString, raw);
    QFETCH(QString, shown);
    // X is called next too: the second round is still to fly.
    field::FieldView view = viewOf({QStringLiteral("X|Class I"), QStringLiteral("Bob|Class I")},
                                   {QStringLiteral("X|Class I|371.7"), QStringLiteral("Bob|Class I|300.0")}, 2, true);
    // The name as the journal holds it, bytes and all.
    for (contest::ClassStandings &standings : view.results.classes)
        for (contest::Standing &row : standings.rows)
            if (row.contestant == "X")
                row.contestant = name.toStdString();
    for (contest::ScoredFlight &flight : view.flights)
        if (flight.contestant == "X")
            flight.contestant = name.toStdString();
    for (contest::Call &call : view.upNext)
        if (call.contestant == "X")
            call.contestant = name.toStdString();
    const QByteArray bytes = pageNamed(page, view).toUtf8();
    const QString drawn = QString::fromUtf8(bytes);
    if (!raw.isEmpty())
        QVERIFY2(!drawn.contains(raw), qPrintable(page + " holds the name as markup: " + raw));
    QVERIFY2(drawn.contains(shown), qPrintable(page + " lacks " + shown));
    if (page == QLatin1String("json")) {
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        const QString back = at(json, QStringLiteral("classes/0/rows/0/contestant"));
        QVERIFY2(back == QString::fromUtf8(name), qPrintable("read back as " + back));
    }
}

void FieldPageTest::jsonFields_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("flights");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    const QStringList two{QStringLiteral("Ann Lee|Class I"), QStringLiteral("Bob Day|Class I"),
                          QStringLiteral("Cy Roe|Profile")};
    const QStringList flown{QStringLiteral("Bob Day|Class I|300.0"), QStringLiteral("Ann Lee|Class I|371.7"),
                            QStringLiteral("Ann Lee|Class I|350.0"), QStringLiteral("Cy Roe|Profile|0|attempt")};
    QTest::newRow("format") << two << flown << "format" << "1";
    QTest::newRow("version") << two << flown << "version" << "7";
    QTest::newRow("contest name") << two << flown << "contest/name" << "Field Day <b>&</b>";
    QTest::newRow("contest day") << two << flown << "contest/firstDay" << "2026-07-15";
    QTest::newRow("first place") << two << flown << "classes/0/rows/0/contestant" << "Ann Lee";
    QTest::newRow("place") << two << flown << "classes/0/rows/1/place" << "2";
    QTest::newRow("number") << two << flown << "classes/0/rows/0/number" << "11";
    QTest::newRow("score") << two << flown << "classes/0/rows/0/score" << "371.7";
    QTest::newRow("counted flight") << two << flown << "classes/0/rows/0/flights/0/counted" << "true";
    QTest::newRow("flight not counted") << two << flown << "classes/0/rows/0/flights/1/counted" << "false";
    QTest::newRow("beyond allowed") << two
                                    << (QStringList(flown) << QStringLiteral("Ann Lee|Class I|390.0"))
                                    << "classes/0/rows/0/flights/2/beyondAllowed" << "true";
    QTest::newRow("attempts only") << two << flown << "classes/1/rows/0/place" << "att";
    QTest::newRow("attempts") << two << flown << "classes/1/rows/0/attempts" << "1";
    QTest::newRow("still to fly") << two << QStringList{QStringLiteral("Ann Lee|Class I|371.7")}
                                  << "classes/0/rows/1/stillToFly" << "true";
    QTest::newRow("provisional") << two << flown << "classes/0/state" << "Provisional, as of 2026-07-15 10:30 +02:00";
    QTest::newRow("not final") << two << flown << "classes/0/final" << "false";
    QTest::newRow("combined total") << two << flown << "combined/0/rows/0/total" << "371.7";
    QTest::newRow("combined lacking") << two << flown << "combined/0/rows/0/missing/0" << "Profile";
    QTest::newRow("latest first") << two << flown << "latest/0/contestant" << "Cy Roe";
    QTest::newRow("latest attempt") << two << flown << "latest/0/score" << "attempt";
    QTest::newRow("latest place") << two << flown << "latest/1/place" << "1";
    QTest::newRow("banner") << two << flown << "latest/1/banner" << "Just flown: Ann Lee, Class I, 350.0, now 1st";
    QTest::newRow("void flight not latest")
        << two << (QStringList(flown) << QStringLiteral("Bob Day|Class I|999.0|void")) << "latest/0/contestant" << "Cy Roe";
    QTest::newRow("no e-mail, no path: only these members")
        << two << flown << "journal" << "(none)";
    // The second round: Ann has flown it, Bob and Cy (after an attempt) are called.
    QTest::newRow("called next") << two << flown << "upNext/0/called" << "Next";
    QTest::newRow("next contestant") << two << flown << "upNext/0/contestant" << "Bob Day";
    QTest::newRow("next number") << two << flown << "upNext/0/number" << "12";
    QTest::newRow("next entry") << two << flown << "upNext/0/entry" << "2";
    QTest::newRow("next class") << two << flown << "upNext/0/class" << "Class I";
    QTest::newRow("next round") << two << flown << "upNext/0/round" << "2";
    QTest::newRow("next flight") << two << flown << "upNext/0/flight" << "2";
    QTest::newRow("on deck after an attempt") << two << flown << "upNext/1/called" << "On deck";
    QTest::newRow("in the hole") << (QStringList(two) << QStringLiteral("Di Fox|Class I")) << flown << "upNext/2/called"
                                 << "In the hole";
    QTest::newRow("nobody left to call") << two
                                         << (QStringList(flown) << QStringLiteral("Bob Day|Class I|310.0")
                                                                << QStringLiteral("Cy Roe|Profile|200.0"))
                                         << "upNext" << "0 items";
}

void FieldPageTest::jsonFields()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, flights);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    const QByteArray bytes = QByteArray::fromStdString(field::standingsJson(viewOf(entries, flights, 2, true)));
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const QString actual = at(json, path);
    QVERIFY2(actual == expected, qPrintable(path + " is " + actual + ", expected " + expected));
}

void FieldPageTest::pages_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("contestants");
    QTest::addColumn<QStringList>("flights");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("present");

    const QStringList flown{QStringLiteral("Ann Lee|Class I|371.7"), QStringLiteral("Ann Lee|Class I|350.0"),
                            QStringLiteral("Ann Lee|Class I|390.0"), QStringLiteral("Ann Lee|Class I|1.0|void")};
    QTest::newRow("phone reloads without script") << "phone" << 1 << flown
        << "<noscript><meta http-equiv=\"refresh\" content=\"15\"></noscript>" << true;
    QTest::newRow("phone waits on the version") << "phone" << 1 << flown << "data-version=\"7\"" << true;
    QTest::newRow("phone links the contestant") << "phone" << 1 << flown << "<a href=\"/contestant/1\">" << true;
    QTest::newRow("phone tables are tables") << "phone" << 1 << flown << "<th scope=\"col\">Contestant, number</th>" << true;
    QTest::newRow("phone counted flight") << "phone" << 1 << flown << "<b>371.7</b><span class=\"said\"> counts</span>" << true;
    QTest::newRow("phone latest strip") << "phone" << 1 << flown << "<h2>Latest flights</h2>" << true;
    QTest::newRow("phone flight beyond allowed") << "phone" << 1 << flown << "(390.0)" << true;
    QTest::newRow("phone still to fly") << "phone" << 2 << flown << "still to fly" << true;
    QTest::newRow("phone combined part lacking") << "phone" << 1 << flown << "Profile –" << true;
    QTest::newRow("phone results files") << "phone" << 1 << flown << "href=\"/results.xlsx\"" << true;
    QTest::newRow("phone links the series") << "phone, series" << 1 << flown << "<a href=\"/series\">" << true;
    QTest::newRow("phone without a series links none") << "phone" << 1 << flown << "/series" << false;
    QTest::newRow("series links back") << "series" << 1 << flown << "<a href=\"/\">All standings</a>" << true;
    QTest::newRow("series reloads without script") << "series" << 1 << flown
        << "<noscript><meta http-equiv=\"refresh\" content=\"15\"></noscript>" << true;
    QTest::newRow("series waits on the version") << "series" << 1 << flown << "data-version=\"7\"" << true;
    QTest::newRow("series counted points") << "series" << 1 << flown << "<span>Spring &lt;Open&gt;</span> <b>10</b>" << true;
    QTest::newRow("series dropped contest bracketed") << "series" << 1 << flown
        << "<span>Summer Cup</span> <span>(10)<span class=\"said\"> dropped</span></span>" << true;
    QTest::newRow("series total") << "series" << 1 << flown << "<td class=\"n\"><b>10</b></td>" << true;
    QTest::newRow("series contests named") << "series" << 1 << flown << "<p>Contests: Spring &lt;Open&gt;, Summer Cup.</p>"
                                           << true;
    QTest::newRow("series provisional while a contest runs") << "series" << 1 << flown
        << "<p class=\"state\">Provisional: Spring &lt;Open&gt; and Summer Cup are still running" << true;
    QTest::newRow("series rule in the sheets' words") << "series" << 1 << flown
        << "Each contest&#39;s place earns points: 10, 8, 6, 5, 4, 3, 2, 1 for the first 8 places" << true;
    QTest::newRow("series combined standings") << "series" << 1 << flown << "<h2>Class I + Profile</h2>" << true;
    QTest::newRow("series of a journal without one") << "no series" << 1 << flown << "holds no series" << true;
    for (const char *page : {"phone", "tv", "contestant", "series"}) {
        QTest::addRow("%s loads nothing from elsewhere", page) << page << 1 << flown << " src=" << false;
        QTest::addRow("%s links no style sheet", page) << page << 1 << flown << "<link" << false;
    }
    QTest::newRow("contestant runs' points") << "contestant" << 1 << flown << "HS371.7" << true;
    QTest::newRow("contestant landing") << "contestant" << 1 << flown << "L350.0" << true;
    QTest::newRow("contestant what counts") << "contestant" << 1 << flown << "No: better flights count" << true;
    QTest::newRow("contestant beyond allowed") << "contestant" << 1 << flown
                                               << "No: flown after the official flights allowed" << true;
    QTest::newRow("contestant void flight left out") << "contestant" << 1 << flown << "HS1.0" << false;
    QTest::newRow("contestant not on the list") << "contestant" << 0 << QStringList() << "no page" << true;
    QTest::newRow("tv banner") << "tv" << 1 << flown << "data-banner=\"Just flown: Ann Lee, Class I, 390.0, now 1st\""
                               << true;
    QTest::newRow("tv first class shown without script") << "tv" << 1 << flown
                                                         << "<section class=\"slide shown\"><h1>Class I</h1>" << true;
    QTest::newRow("tv one class shown at a time") << "tv" << 1 << flown << "<section class=\"slide shown\"><h1>Class I +"
                                                  << false;
    QTest::newRow("tv corner address") << "tv" << 1 << flown << "<b>http://192.0.2.1:8080/</b>" << true;
    // ", called": an order of flying kept; Ann has flown both rounds, Pilot 1 and 2 neither.
    const QString pilotOneNext = QStringLiteral("<tr><th scope=\"row\">Next</th><td><a href=\"/contestant/2\">Pilot 1</a>"
                                                "<br><small>Class I</small></td><td class=\"n\">1</td></tr>");
    QTest::newRow("phone up next") << "phone, called" << 3 << flown << pilotOneNext << true;
    QTest::newRow("phone up next is a table") << "phone, called" << 3 << flown
                                              << "<caption>Up next, in the order called</caption>" << true;
    QTest::newRow("phone in the hole: a second flight") << "phone, called" << 3 << flown
        << "<th scope=\"row\">In the hole</th><td><a href=\"/contestant/2\">Pilot 1</a><br><small>Class I</small></td>"
           "<td class=\"n\">2</td>"
        << true;
    QTest::newRow("phone up next before the latest flights") << "phone, called" << 3 << flown
        << "</tbody></table></section><section><h2>Latest flights</h2>" << true;
    QTest::newRow("phone without an order calls nobody") << "phone" << 3 << flown << "Up next" << false;
    QTest::newRow("tv up next") << "tv, called" << 3 << flown
        << "<li><span class=\"called\">Next</span><span><span><b>Pilot 1</b></span></span>"
           "<span><span>Class I</span><span>, flight 1</span></span></li>"
        << true;
    QTest::newRow("tv on deck") << "tv, called" << 3 << flown << "<span class=\"called\">On deck</span><span><span><b>Pilot 2"
                                << true;
    QTest::newRow("tv up next under the corner, taken in place") << "tv, called" << 3 << flown
        << "</b></aside><section class=\"upnext\"><h2>Up next</h2>" << true;
    QTest::newRow("tv up next inside the page updated") << "tv, called" << 3 << flown
        << "</ol></section></div></div><div id=\"banner\"" << true;
    QTest::newRow("tv without an order calls nobody") << "tv" << 3 << flown << "Up next" << false;
    QTest::newRow("tv short class in one page") << "tv" << 8 << flown << "(1 of" << false;
    QTest::newRow("tv long class in pages") << "tv" << 9 << flown << "Class I <small>(2 of 2)</small>" << true;
    QTest::newRow("tv longer class") << "tv" << 17 << flown << "Class I <small>(3 of 3)</small>" << true;
}

void FieldPageTest::pages()
{
    QFETCH(QString, page);
    QFETCH(int, contestants);
    QFETCH(QStringList, flights);
    QFETCH(QString, expected);
    QFETCH(bool, present);
    QStringList entries;
    for (int at = 0; at < contestants; ++at)
        entries << (at == 0 ? QStringLiteral("Ann Lee|Class I") : QStringLiteral("Pilot %1|Class I").arg(at));
    const bool called = page.endsWith(QLatin1String(", called"));
    const QString drawn = pageNamed(called ? page.chopped(8) : page, viewOf(entries, flights, 2, called));
    QVERIFY2(drawn.contains(expected) == present,
             qPrintable(page + (present ? " lacks " : " holds ") + expected + "\n" + drawn.left(3000)));
}

void FieldPageTest::ordinals_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("said");
    for (const auto &[place, said] : std::initializer_list<std::pair<int, const char *>>{
             {1, "1st"}, {2, "2nd"}, {3, "3rd"}, {4, "4th"}, {11, "11th"}, {12, "12th"}, {13, "13th"},
             {21, "21st"}, {22, "22nd"}, {101, "101st"}, {111, "111th"}})
        QTest::addRow("%d", place) << place << QString::fromLatin1(said);
}

void FieldPageTest::ordinals()
{
    QFETCH(int, place);
    QFETCH(QString, said);
    QCOMPARE(QString::fromStdString(field::ordinal(place)), said);
}

void FieldPageTest::routes_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("detail"); // the entry, the version waited past, the extension

    using R = field::Route;
    QTest::newRow("phone") << QByteArray("/") << int(R::Phone) << "";
    QTest::newRow("phone, a query ignored") << QByteArray("/?x=1") << int(R::Phone) << "";
    QTest::newRow("tv") << QByteArray("/tv") << int(R::Tv) << "";
    QTest::newRow("series") << QByteArray("/series") << int(R::Series) << "";
    QTest::newRow("series, a query ignored") << QByteArray("/series?x=1") << int(R::Series) << "";
    QTest::newRow("json") << QByteArray("/standings.json") << int(R::Json) << "";
    QTest::newRow("json since") << QByteArray("/standings.json?since=42") << int(R::Json) << "42";
    QTest::newRow("json since among others") << QByteArray("/standings.json?a=b&since=7&c") << int(R::Json) << "7";
    QTest::newRow("json since no number") << QByteArray("/standings.json?since=4x") << int(R::Json) << "";
    QTest::newRow("contestant") << QByteArray("/contestant/12") << int(R::Contestant) << "12";
    QTest::newRow("results pdf") << QByteArray("/results.pdf") << int(R::ResultsFile) << ".pdf";
    QTest::newRow("results xlsx") << QByteArray("/results.xlsx") << int(R::ResultsFile) << ".xlsx";
    const char *outside[] = {"/../contest.sqlite", "/%2e%2e/contest.sqlite", "/%2E%2E%2Fjournal.sqlite",
                             "//etc/passwd", "/etc/passwd", "http://127.0.0.1/", "*", "", "/tv/", "/TV",
                             "/contestant/0", "/contestant/-1", "/contestant/1/../../x", "/contestant/99999999999999999999",
                             "/results.sqlite", "/results.pdf/..", "/../1234.pdf", "/%2e%2e/a.csv", "/standings.json/../x", "/./", "/index.html",
                             "/series/", "/Series", "/series/../journal.sqlite", "/series.json"};
    for (const char *target : outside)
        QTest::addRow("not found: %s", target) << QByteArray(target) << int(R::NotFound) << "";
}

void FieldPageTest::routes()
{
    QFETCH(QByteArray, target);
    QFETCH(int, kind);
    QFETCH(QString, detail);
    const field::Route route = field::routeOf(target.toStdString());
    QVERIFY2(route.kind == kind, qPrintable(QStringLiteral("kind %1, expected %2").arg(route.kind).arg(kind)));
    const QString actual = route.kind == field::Route::Contestant ? QString::number(route.entry)
        : route.kind == field::Route::ResultsFile                 ? QString::fromStdString(route.extension)
        : route.since                                             ? QString::number(*route.since)
                                                                  : QString();
    QCOMPARE(actual, detail);
}

QTEST_GUILESS_MAIN(FieldPageTest)
#include "field_page_test.moc"
