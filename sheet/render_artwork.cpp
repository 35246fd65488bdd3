#include "artwork_drawing.h"
#include "sheet_artwork.h"
#include "sheet_headings.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <cstring>

// Draws the program's pictures at build time, so that the program only
// takes up the finished pixels and the desktop's icon theme shows the very
// stopwatch of the window:
//   render_artwork theme DIR SIZE...    DIR/SIZE.png, the stopwatch for the icon theme
//   render_artwork program DIR SIZE...  DIR/carrier-logo.rgb32, DIR/stopwatch/SIZE.argb32 and
//                                       DIR/heading/NAME.rgb32, raw pixels for the program's
//                                       resources (sheet_artwork.h)
namespace {

int usage(const char *program)
{
    std::fprintf(stderr, "usage: %s theme|program OUTPUT_DIR SIZE...\n", program);
    return 2;
}

// A size in pixels from the command line, or 0 when it is none.
int pixels(const char *text)
{
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(text).toInt(&isNumber);
    return isNumber && size >= 1 && size <= 1024 ? size : 0;
}

QImage stopwatch(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    orlo::paintStopwatch(painter, QRectF(0, 0, size, size));
    painter.end();
    return image;
}

// The pixels as they lie in memory, row after row, without a header.
bool saveRaw(const QImage &image, const QString &file)
{
    QFile out(file);
    const auto bytes = static_cast<qint64>(image.sizeInBytes());
    return out.open(QIODevice::WriteOnly)
           && out.write(reinterpret_cast<const char *>(image.constBits()), bytes) == bytes;
}

bool written(bool done, const QString &file)
{
    if (!done)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return done;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4)
        return usage(argv[0]);
    const bool theme = std::strcmp(argv[1], "theme") == 0;
    if (!theme && std::strcmp(argv[1], "program") != 0)
        return usage(argv[0]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = pixels(argv[i]);
        if (size == 0) {
            std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
            return 2;
        }
        const QString file = theme ? QStringLiteral("%1/%2.png").arg(folder).arg(size)
                                   : QStringLiteral("%1/stopwatch/%2.argb32").arg(folder).arg(size);
        if (!written(theme ? stopwatch(size).save(file, "PNG") : saveRaw(stopwatch(size), file), file))
            return 1;
    }
    if (theme)
        return 0;

    // The lettering needs the fonts; the platform needs no screen, and is
    // the same wherever the program is built.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!orlo::registerTahoma())
        std::fprintf(stderr, "warning: no Tahoma-metric font; the lettering takes another font\n");
    const QString logo = folder + QStringLiteral("/carrier-logo.rgb32");
    if (!written(saveRaw(orlo::drawCarrierLogo(orlo::carrierLogoSize), logo), logo))
        return 1;
    for (const orlo::SheetHeading &each : orlo::sheetHeadings) {
        const QString file = folder + QLatin1Char('/') + orlo::headingArtworkName(each);
        if (!written(saveRaw(orlo::drawHeading(each), file), file))
            return 1;
    }
    return 0;
}
