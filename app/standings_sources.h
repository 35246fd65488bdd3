#pragma once

#include "standings_window.h"

#include <string>

namespace orlo {

// The Standings window's reads, its contest's settings, its saves and its
// series, all from the journal file at journalPath. Windows beyond the
// Standings window are the program's to add (the network, the flight order).
StandingsSource standingsIn(const std::string &journalPath);

} // namespace orlo
