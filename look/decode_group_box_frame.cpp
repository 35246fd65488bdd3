#include <QFile>
#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdio>

// Decodes Fusion's group box frame at build time, from the Qt the program is
// built with, so that the first frame takes up finished pixels instead of
// decoding a PNG:
//   decode_group_box_frame FILE
// FILE holds the width and the height as two 32-bit numbers, then the rows
// of premultiplied 32-bit pixels, all in this machine's byte order.
int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
        return 2;
    }
    // The picture is among the resources Qt Widgets registers with its
    // application; no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                        QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    // As a pixmap holds it: a picture with alpha is premultiplied.
    const QImage frame = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (frame.isNull()) {
        std::fprintf(stderr, "cannot read Fusion's group box frame: %s\n", qPrintable(reader.errorString()));
        return 1;
    }
    const quint32 size[2] = {quint32(frame.width()), quint32(frame.height())};
    const auto bytes = static_cast<qint64>(frame.sizeInBytes());
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char *>(size), sizeof size) != sizeof size
        || out.write(reinterpret_cast<const char *>(frame.constBits()), bytes) != bytes || !out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
