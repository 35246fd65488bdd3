#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace orlo {

// A file dialog that blocks parent's window alone, never the sheet, and
// goes when closed. nameFilter as for QFileDialog: "CSV files (*.csv)".
// Listing a folder never opens a file in it: see file_dialog.cpp.
QFileDialog *fileDialog(QWidget *parent, const QString &title, const QString &folder, const QString &nameFilter);

} // namespace orlo
