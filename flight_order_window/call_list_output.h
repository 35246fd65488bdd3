#pragma once

#include "results_model.h"

#include <string>
#include <vector>

class QFileDialog;
class QWidget;

namespace orlo {

// The call list's title: the contest's name, when it has one, before "Call list".
std::string callListTitleOf(const std::string &journalPath);
// The file dialog that asks where the call list is saved, in the results'
// formats, opened over the parent window alone; not yet answered.
QFileDialog *callListSaveDialog(QWidget &parent);
// The printer's dialog for the call list, opened over the parent window
// alone; the pages are drawn once the director has chosen the printer.
// Throws std::runtime_error when the printing module cannot be loaded.
void openCallListPrint(QWidget &parent, const std::string &title, std::vector<contest::ResultTable> tables);

} // namespace orlo
