#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlo::field {

// What a request's target asks for. Every target is one of a few fixed
// addresses, compared as sent, never decoded into a file name: a target
// that is none of them (a dot-dot, "%2e%2e", an absolute path, a full
// address) is NotFound, and nothing is opened for it.
struct Route {
    enum Kind { NotFound, Phone, Tv, Json, Contestant, ResultsFile, Series } kind = NotFound;
    std::int64_t entry = 0;             // Contestant's
    std::optional<std::uint64_t> since; // Json's ?since=V
    std::string extension;              // ResultsFile's: ".pdf", ".html", ".csv", ".xlsx"
};

Route routeOf(std::string_view target);

} // namespace orlo::field
