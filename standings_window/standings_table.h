#pragma once

#include "results_model.h"

class QTableWidget;

namespace orlo {

// Fills the Standings window's table with a class's standings or a
// combination's, in the columns the results sheet shows.
void showStandings(QTableWidget &table, const contest::ResultTable &standings);

} // namespace orlo
