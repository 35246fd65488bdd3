#include "sheet_artwork.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>

// Renders the window's stopwatch into PNG files for the desktop's icon theme,
// so the menu shows the very picture the program draws for its window.
//   render_stopwatch OUTPUT_DIR SIZE...  writes OUTPUT_DIR/SIZE.png
int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR SIZE...\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        orlo::paintStopwatch(painter, QRectF(0, 0, size, size));
        painter.end();
        const QString file = folder + QLatin1Char('/') + QString::number(size) + QStringLiteral(".png");
        if (!image.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
