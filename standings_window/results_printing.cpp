#include "results_printing.h"

#include "program_module.h"

namespace orlo {

QDialog *resultsPrintDialog(QWidget *parent, PrintDialogKind kind, const QPageLayout &page,
                            std::function<void(QPagedPaintDevice &)> draw)
{
    using Make = QDialog *(QWidget *, bool, const QPageLayout &, const std::function<void(QPagedPaintDevice &)> &);
    static Make *const make = reinterpret_cast<Make *>(exports::programModuleFunction("orlo_print", "orloPrintDialog"));
    return make(parent, kind == PrintDialogKind::Preview, page, draw);
}

} // namespace orlo
