#pragma once

#include <QPageLayout>

#include <functional>

class QDialog;
class QPagedPaintDevice;
class QWidget;

namespace orlo {

// The results sheet's print or print preview dialog, made by the printing
// module (Qt Print Support loaded at the first print, not at every start):
// draw paints the pages on the printer the dialog chose. The dialog is the
// parent's child, not yet open; throws std::runtime_error saying why when
// the module cannot be loaded.
enum class PrintDialogKind { Print, Preview };
QDialog *resultsPrintDialog(QWidget *parent, PrintDialogKind kind, const QPageLayout &page,
                            std::function<void(QPagedPaintDevice &)> draw);

} // namespace orlo
