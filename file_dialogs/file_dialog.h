#pragma once

#include <QString>

class QFileDialog;
class QObject;
class QWidget;

namespace orlo {

// A file dialog that blocks parent's window alone, never the sheet, and
// goes when closed. nameFilter as for QFileDialog: "CSV files (*.csv)".
// Listing a folder never opens a file in it: see file_dialog.cpp.
QFileDialog *fileDialog(QWidget *parent, const QString &title, const QString &folder, const QString &nameFilter);

// The same for the file lists of Qt's own dialogs, such as the print
// dialog's output file: Qt's dialogs, never the desktop's, and every folder
// listing in a window shown with icons by name. Called once, after the
// application is made.
void keepDialogsFromReadingFiles();

} // namespace orlo
