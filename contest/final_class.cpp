#include "final_class.h"

#include "contest_words.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace orlo::contest {

namespace {

int digits(std::string_view text, std::size_t at, std::size_t count, bool &read)
{
    int value = 0;
    if (at + count > text.size()
        || std::from_chars(text.data() + at, text.data() + at + count, value).ptr != text.data() + at + count)
        read = false;
    return value;
}

std::string flightsOfClass(int count, std::string_view caption)
{
    return count == 1 ? "the official flight of " + std::string(caption)
                      : "the " + std::to_string(count) + " official flights of " + std::string(caption);
}

} // namespace

std::optional<std::int64_t> momentOf(std::string_view text)
{
    bool read = text.size() >= 20 && text[4] == '-' && text[7] == '-' && text[10] == 'T' && text[13] == ':'
        && text[16] == ':';
    const int year = digits(text, 0, 4, read), month = digits(text, 5, 2, read), day = digits(text, 8, 2, read);
    const int hour = digits(text, 11, 2, read), minute = digits(text, 14, 2, read), second = digits(text, 17, 2, read);
    std::size_t at = 19;
    while (at < text.size() && (text[at] == '.' || (text[at] >= '0' && text[at] <= '9')))
        ++at; // a fraction of a second changes no order that matters here
    int offset = 0;
    if (read && at < text.size() && text[at] != 'Z') {
        const int sign = text[at] == '-' ? -1 : text[at] == '+' ? 1 : (read = false, 1);
        const bool colon = at + 3 < text.size() && text[at + 3] == ':';
        offset = sign * (digits(text, at + 1, 2, read) * 60 + digits(text, at + (colon ? 4 : 3), 2, read));
    }
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(month)),
                                           std::chrono::day(unsigned(day))};
    if (!read || !date.ok())
        return std::nullopt;
    const std::int64_t days = std::chrono::sys_days(date).time_since_epoch().count();
    return days * 86400 + hour * 3600 + minute * 60 + second - offset * 60;
}

bool recordedAfterClosing(std::string_view recordedAt, std::string_view closedAt)
{
    const std::optional<std::int64_t> recorded = momentOf(recordedAt), closed = momentOf(closedAt);
    return recorded && closed && *recorded > *closed;
}

std::string flightRemark(const ContestSettings &contest, const std::vector<Entry> &entries,
                         const std::vector<ScoredFlight> &flights, std::int64_t entry, std::string_view classCaption,
                         std::int64_t flying)
{
    ClassRule rule;
    for (const ClassRule &own : contest.classes)
        if (own.caption == classCaption)
            rule = own;
    if (rule.final)
        return closedClassRemark(classCaption);
    const auto listed = std::find_if(entries.begin(), entries.end(), [&](const Entry &e) { return e.id == entry; });
    if (entry == 0 || listed == entries.end())
        return {};
    if (std::find(listed->classes.begin(), listed->classes.end(), classCaption) == listed->classes.end())
        return listed->name + " is not entered in " + std::string(classCaption) + ".";
    const int flown = int(std::count_if(flights.begin(), flights.end(), [&](const ScoredFlight &flight) {
        return flight.entry == entry && flight.id != flying && flight.classCaption == classCaption
            && flight.status == FlightStatus::Official;
    }));
    const int allowed = std::max(rule.officialFlights, 1);
    if (flown >= allowed)
        return listed->name + " has flown " + flightsOfClass(allowed, classCaption)
            + ": another is listed and does not count.";
    return {};
}

} // namespace orlo::contest
