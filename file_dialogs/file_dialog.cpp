#include "file_dialog.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QStyle>

namespace orlo {

namespace {

// Icons and type names from a file's name alone: what the system's own
// look-ups would learn by reading the first bytes of the file.
class NameOnlyIcons final : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override
    {
        switch (type) {
        case Computer: return standard(QStyle::SP_ComputerIcon);
        case Desktop: return standard(QStyle::SP_DesktopIcon);
        case Trashcan: return standard(QStyle::SP_TrashIcon);
        case Network: return standard(QStyle::SP_DriveNetIcon);
        case Drive: return standard(QStyle::SP_DriveHDIcon);
        case Folder: return standard(QStyle::SP_DirIcon);
        case File: break;
        }
        return standard(QStyle::SP_FileIcon);
    }
    QIcon icon(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return icon(Drive);
        return icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo &info) const override
    {
        if (info.isDir())
            return QStringLiteral("Folder");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("File") : QStringLiteral("%1 File").arg(suffix.toUpper());
    }

private:
    static QIcon standard(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }
};

// Made after the dialog's folder listing, a child of the dialog goes after
// it: the listing's thread has ended by then.
class IconsOfDialog final : public QObject {
public:
    using QObject::QObject;
    NameOnlyIcons icons;
};

// Gives each folder listing of a window its icons by name as the window is
// first shown: Qt's dialogs look their files up once shown, never before.
class ListingsByName final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Sees every event of the program: the event's type is told first.
        if (event->type() != QEvent::Polish)
            return false;
        auto *window = qobject_cast<QWidget *>(watched);
        if (!window || !window->isWindow())
            return false;
        IconsOfDialog *icons = nullptr;
        for (QFileSystemModel *listing : window->findChildren<QFileSystemModel *>()) {
            if (dynamic_cast<const NameOnlyIcons *>(listing->iconProvider()))
                continue;
            if (!icons)
                icons = new IconsOfDialog(window);
            listing->setOption(QFileSystemModel::DontUseCustomDirectoryIcons);
            listing->setIconProvider(&icons->icons);
        }
        return false;
    }
};

} // namespace

// The journal's files are opened by SQLite alone. POSIX locks belong to the
// process: closing any other descriptor of the journal, such as the one a
// desktop's dialog or a type look-up opens to read a file's first bytes,
// drops every lock SQLite holds on it, and another program reading the
// journal then deletes the log this program is still writing into. So the
// dialog is Qt's own, never the desktop's, with icons and types by name and
// name filters rather than file types.
QFileDialog *fileDialog(QWidget *parent, const QString &title, const QString &folder, const QString &nameFilter)
{
    auto *dialog = new QFileDialog(parent, title);
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontUseCustomDirectoryIcons);
    dialog->setIconProvider(&(new IconsOfDialog(dialog))->icons);
    dialog->setDirectory(folder);
    dialog->setNameFilter(nameFilter);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    return dialog;
}

void keepDialogsFromReadingFiles()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    qApp->installEventFilter(new ListingsByName(qApp));
}

} // namespace orlo
