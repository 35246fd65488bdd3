// The printing module: Qt Print Support's printer and dialogs, loaded by
// resultsPrintDialog at the first print or preview.
#include <QPagedPaintDevice>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <functional>
#include <memory>

// The printer lives as long as its dialog's connections, which end with it.
extern "C" Q_DECL_EXPORT QDialog *orloPrintDialog(QWidget *parent, bool preview, const QPageLayout &page,
                                                  const std::function<void(QPagedPaintDevice &)> &draw)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    // The PDF's margins too, so that the preview and the paper break pages as the PDF does.
    printer->setPageLayout(page);
    if (preview) {
        auto *dialog = new QPrintPreviewDialog(printer.get(), parent);
        QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                         [printer, draw](QPrinter *paper) { draw(*paper); });
        return dialog;
    }
    auto *dialog = new QPrintDialog(printer.get(), parent);
    QObject::connect(dialog, &QDialog::accepted, dialog, [printer, draw] { draw(*printer); });
    return dialog;
}
