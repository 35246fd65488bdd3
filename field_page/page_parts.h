#pragma once

#include "results_model.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orlo::field {

// The opening of a page up to <body>: its title, the style given, and, for a
// browser without JavaScript, a reload every 15 seconds.
std::string pageOpening(std::string_view title, std::string_view style);

// A page for a phone in the sun, black on white in large type: the body
// kept up to date by the script below (the version it shows is the one it
// waits past), the footer as drawn.
std::string phoneDocument(std::uint64_t version, std::string_view title, const std::string &body,
                          const std::string &footer);

// The script that keeps a page up to date without a reload: it waits on
// /standings.json?since=V and, once the version has passed V, takes the
// element #live of the page read again in place of its own, the reader's
// scroll kept. A page's own script may set window.orloUpdated(old, new).
std::string liveScript();

// A cell's text as the sheets show it: a flight beyond those allowed in
// brackets, marked up for the web.
std::string cellHtml(const contest::ResultCell &cell);

// A table of the results model as the sheets show it, its columns up to
// last (the score, say).
std::string resultTableHtml(const contest::ResultTable &table, std::size_t last);

} // namespace orlo::field
