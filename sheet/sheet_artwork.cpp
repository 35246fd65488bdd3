#include "sheet_artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QResource>
#include <QString>

#include <cstring>

namespace orlo {

namespace {

// A picture as render_artwork left it: rows of 32-bit pixels in this
// machine's byte order, nothing else; a null image when it is not of that
// size. The resources are stored uncompressed, so the image reads the
// program's own copy where it lies suitably aligned for 32-bit pixels, and
// takes a copy only where it does not.
QImage rawImage(const QString &path, const QSize &size, QImage::Format format)
{
    const QResource resource(path);
    const qint64 bytes = qint64(size.width()) * size.height() * qint64(sizeof(quint32));
    if (!resource.data() || resource.compressionAlgorithm() != QResource::NoCompression || resource.size() != bytes)
        return {};
    if (reinterpret_cast<quintptr>(resource.data()) % alignof(quint32) == 0)
        return QImage(resource.data(), size.width(), size.height(), format);
    QImage copied(size, format);
    std::memcpy(copied.bits(), resource.data(), static_cast<std::size_t>(bytes));
    return copied;
}

} // namespace

QImage headingArtwork(const SheetHeading &heading)
{
    return rawImage(QStringLiteral(":/artwork/") + headingArtworkName(heading), heading.box.size(),
                    QImage::Format_RGB32);
}

QIcon stopwatchIcon()
{
    // One square file per size, named for its side.
    QIcon icon;
    const QDir folder(QStringLiteral(":/artwork/stopwatch"));
    for (const QString &file : folder.entryList(QDir::Files)) {
        const int side = QFileInfo(file).baseName().toInt();
        icon.addPixmap(QPixmap::fromImage(
            rawImage(folder.filePath(file), QSize(side, side), QImage::Format_ARGB32_Premultiplied)));
    }
    return icon;
}

QPixmap carrierLogo(const QSize &box)
{
    QImage logo = rawImage(QStringLiteral(":/artwork/carrier-logo.rgb32"), carrierLogoSize, QImage::Format_RGB32);
    if (box != carrierLogoSize)
        logo = logo.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QPixmap::fromImage(std::move(logo));
}

} // namespace orlo
