#include "call_list_output.h"

#include "call_list_files.h"
#include "file_dialog.h"
#include "journal_reader.h"
#include "results_files.h"
#include "results_printing.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QPagedPaintDevice>

namespace orlo {

std::string callListTitleOf(const std::string &journalPath)
{
    return callListTitle(journal::JournalReader(journalPath).contest().name);
}

QFileDialog *callListSaveDialog(QWidget &parent)
{
    QFileDialog *dialog = fileDialog(&parent, QStringLiteral("Save the call list"), QDir::currentPath(),
                                     resultsFileFilter().replace(QStringLiteral("Results"), QStringLiteral("Call list")));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectFile(QStringLiteral("call-list.pdf"));
    dialog->open();
    return dialog;
}

void openCallListPrint(QWidget &parent, const std::string &title, std::vector<contest::ResultTable> tables)
{
    QDialog *dialog = resultsPrintDialog(&parent, PrintDialogKind::Print, callListPage(),
                                         [title, tables = std::move(tables)](QPagedPaintDevice &printer) {
                                             drawCallList(printer, title, tables);
                                         });
    dialog->setObjectName(QStringLiteral("callListPrint"));
    // Blocks the Flight order window alone: the sheet scores on meanwhile.
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace orlo
