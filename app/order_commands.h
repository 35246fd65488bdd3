#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace orlo {

// Draws the order of the class headless, from the seed given or a fresh one,
// keeps it in the journal and says the seed and the order on the standard
// output; or says in one line why not. Returns the exit status.
int drawOrderCommand(const QString &journalPath, const QString &caption, std::optional<std::uint64_t> seed,
                     std::int64_t contest);

} // namespace orlo
