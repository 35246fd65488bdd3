#include "results_printing.h"

#include "program_module.h"

namespace orlo {

QDialog *resultsPrintDialog(QWidget *parent, PrintDialogKind kind, const QPageSize &paper,
                            std::function<void(QPagedPaintDevice &)> draw)
{
    using Make = QDialog *(QWidget *, bool, const QPageSize &, const std::function<void(QPagedPaintDevice &)> &);
    static Make *const make = reinterpret_cast<Make *>(exports::programModuleFunction("orlo_print", "orloPrintDialog"));
    return make(parent, kind == PrintDialogKind::Preview, paper, draw);
}

} // namespace orlo
