#include "standings_json.h"

#include "web_text.h"

namespace orlo::field {

namespace {

// Builds one JSON object or array, the commas between its members kept by it.
class JsonList {
public:
    JsonList(std::string &out, char open, char close) : m_out(out), m_close(close) { m_out += open; }
    ~JsonList() { m_out += m_close; }
    JsonList(const JsonList &) = delete;
    JsonList &operator=(const JsonList &) = delete;

    std::string &member(std::string_view name)
    {
        next();
        m_out += jsonQuoted(name) + ':';
        return m_out;
    }
    std::string &item()
    {
        next();
        return m_out;
    }
    void text(std::string_view name, std::string_view value) { member(name) += jsonQuoted(value); }
    void number(std::string_view name, long long value) { member(name) += std::to_string(value); }
    void flag(std::string_view name, bool value) { member(name) += value ? "true" : "false"; }
    void texts(std::string_view name, const std::vector<std::string> &values)
    {
        member(name);
        JsonList list(m_out, '[', ']');
        for (const std::string &value : values)
            list.item() += jsonQuoted(value);
    }

private:
    void next()
    {
        if (!m_first)
            m_out += ',';
        m_first = false;
    }
    std::string &m_out;
    char m_close;
    bool m_first = true;
};

void addStanding(std::string &out, const contest::Standing &row)
{
    JsonList standing(out, '{', '}');
    standing.text("place", row.place);
    standing.number("rank", row.rank);
    standing.number("entry", row.entry);
    standing.text("contestant", row.contestant);
    standing.text("number", row.number);
    standing.text("score", row.score);
    standing.number("attempts", row.attempts);
    standing.flag("stillToFly", row.stillToFly);
    standing.member("flights");
    JsonList flights(out, '[', ']');
    for (const contest::FlightScore &flight : row.flights) {
        JsonList shown(flights.item(), '{', '}');
        shown.text("score", flight.score);
        shown.flag("counted", flight.counted);
        shown.flag("beyondAllowed", flight.beyondAllowed);
    }
}

void addClass(std::string &out, const contest::ClassStandings &standings, const contest::Results &results)
{
    JsonList shown(out, '{', '}');
    shown.text("caption", standings.rule.caption);
    shown.flag("final", standings.rule.final);
    shown.text("finalAt", standings.rule.finalAt);
    shown.text("state", classState(standings, results));
    shown.number("waitingAfterFinal", standings.waiting);
    shown.member("rows");
    JsonList rows(out, '[', ']');
    for (const contest::Standing &row : standings.rows)
        addStanding(rows.item(), row);
}

void addCombination(std::string &out, const contest::CombinedStandings &combined)
{
    JsonList shown(out, '{', '}');
    shown.text("name", combined.combination.name);
    shown.texts("classes", combined.combination.classes);
    shown.member("rows");
    JsonList rows(out, '[', ']');
    for (const contest::CombinedStanding &row : combined.rows) {
        JsonList standing(rows.item(), '{', '}');
        standing.text("place", row.place);
        standing.number("rank", row.rank);
        standing.number("entry", row.entry);
        standing.text("contestant", row.contestant);
        standing.text("number", row.number);
        standing.texts("classScores", row.classScores);
        standing.text("total", row.total);
        standing.texts("missing", row.missing);
    }
}

} // namespace

std::string standingsJson(const FieldView &view)
{
    const contest::Results &results = view.results;
    std::string out;
    {
        JsonList top(out, '{', '}');
        top.number("format", standingsJsonFormat);
        top.number("version", static_cast<long long>(view.version));
        top.member("contest");
        {
            JsonList contest(out, '{', '}');
            contest.text("name", results.contest.name);
            contest.text("firstDay", results.contest.firstDay);
            contest.text("lastDay", results.contest.lastDay);
        }
        top.text("asOf", results.asOf);
        top.text("unreadAt", results.unreadAt);
        top.member("classes");
        {
            JsonList classes(out, '[', ']');
            for (const contest::ClassStandings &standings : results.classes)
                addClass(classes.item(), standings, results);
        }
        top.member("combined");
        {
            JsonList combined(out, '[', ']');
            for (const contest::CombinedStandings &each : results.combined)
                addCombination(combined.item(), each);
        }
        top.member("latest");
        {
            JsonList latest(out, '[', ']');
            for (const LatestFlight &flight : latestFlights(view, 10)) {
                JsonList shown(latest.item(), '{', '}');
                shown.number("flight", flight.flight);
                shown.number("entry", flight.entry);
                shown.text("contestant", flight.contestant);
                shown.text("class", flight.classCaption);
                shown.text("score", flight.score);
                shown.text("place", flight.place);
                shown.text("recordedAt", flight.recordedAt);
                shown.text("banner", justFlownSentence(flight));
            }
        }
        top.member("upNext");
        JsonList upNext(out, '[', ']');
        for (std::size_t place = 0; place < view.upNext.size(); ++place) {
            const contest::Call &call = view.upNext[place];
            JsonList shown(upNext.item(), '{', '}');
            shown.text("called", contest::calledAs(place));
            shown.number("entry", call.entry);
            shown.text("contestant", call.contestant);
            shown.text("number", call.number);
            shown.text("class", call.caption);
            shown.number("round", call.round);
            shown.number("flight", call.flight);
        }
    }
    return out;
}

std::string unchangedJson(std::uint64_t version)
{
    return "{\"format\":" + std::to_string(standingsJsonFormat) + ",\"version\":" + std::to_string(version) + "}";
}

} // namespace orlo::field
