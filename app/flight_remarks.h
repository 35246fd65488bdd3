#pragma once

#include "contest_settings.h"

#include <QString>

#include <cstdint>
#include <string>

namespace orlo {

// What the official is to know of a flight of the entry in the class, read
// afresh from the journal; empty when nothing is to be said or the journal
// cannot be read (said on the standard error).
QString remarkOn(const std::string &journalPath, std::int64_t entry, const std::string &caption, std::int64_t flying);
// Said once of the current contest when a flight is recorded on a day
// outside its days; empty inside them.
QString outsideTheDays(const contest::ContestSettings &contest, const std::string &day);

} // namespace orlo
