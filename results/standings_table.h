#pragma once

#include "standings.h"

class QTableWidget;

namespace orlo {

// Fills the Standings window's table with a class's standings, or with a
// combination's, in the columns of the results sheet.
void showClassStandings(QTableWidget &table, const contest::ClassStandings &standings);
void showCombinedStandings(QTableWidget &table, const contest::CombinedStandings &combined);

} // namespace orlo
