#include "field_routes.h"

#include <array>
#include <charconv>

namespace orlo::field {

namespace {

// A number written in decimal digits alone, at most 18 of them.
template <typename Number>
std::optional<Number> decimal(std::string_view text)
{
    Number value = 0;
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

Route routeOf(std::string_view target)
{
    Route route;
    const std::size_t mark = target.find('?');
    const std::string_view path = target.substr(0, mark);
    const std::string_view query = mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
    if (path == "/") {
        route.kind = Route::Phone;
    } else if (path == "/tv") {
        route.kind = Route::Tv;
    } else if (path == "/series") {
        route.kind = Route::Series;
    } else if (path == "/standings.json") {
        route.kind = Route::Json;
        // "since=V", among other parameters or none; a V that is no number waits for nothing.
        for (std::size_t at = 0; at <= query.size();) {
            const std::size_t end = std::min(query.find('&', at), query.size());
            const std::string_view part = query.substr(at, end - at);
            if (part.starts_with("since="))
                route.since = decimal<std::uint64_t>(part.substr(6));
            at = end + 1;
        }
    } else if (path.starts_with("/contestant/")) {
        if (const auto entry = decimal<std::int64_t>(path.substr(12)); entry && *entry > 0) {
            route.kind = Route::Contestant;
            route.entry = *entry;
        }
    } else {
        for (const std::string_view extension : std::array<std::string_view, 4>{".pdf", ".html", ".csv", ".xlsx"})
            if (path.size() == 8 + extension.size() && path.starts_with("/results") && path.ends_with(extension)) {
                route.kind = Route::ResultsFile;
                route.extension = extension;
            }
    }
    return route;
}

} // namespace orlo::field
