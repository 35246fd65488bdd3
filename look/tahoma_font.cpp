#include "tahoma_font.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>
#include <QtEndian>

namespace orlo {

namespace {

// Where a table of a TrueType file starts, or -1 when it has none.
qsizetype tableOffset(const QByteArray &face, const char (&tag)[5])
{
    const auto *bytes = reinterpret_cast<const uchar *>(face.constData());
    if (face.size() < 12)
        return -1;
    const int tables = qFromBigEndian<quint16>(bytes + 4);
    for (int i = 0; i < tables && 12 + 16 * (i + 1) <= face.size(); ++i) {
        const uchar *record = bytes + 12 + 16 * i;
        if (QByteArrayView(record, 4) == QByteArrayView(tag, 4))
            return qFromBigEndian<quint32>(record + 8);
    }
    return -1;
}

void putUint16(QByteArray &face, qsizetype at, quint16 value)
{
    if (at >= 0 && at + 2 <= face.size())
        qToBigEndian(value, face.data() + at);
}

quint16 uint16At(const QByteArray &face, qsizetype at)
{
    return at >= 0 && at + 2 <= face.size() ? qFromBigEndian<quint16>(face.constData() + at) : 0;
}

// Wine's Tahoma Bold has Tahoma Bold's advance widths but strokes hardly
// heavier than the regular face's, so the sheet read as regular weight.
// Declared a regular face, it is the only Tahoma there is: a request for
// bold then makes the font engine embolden its outlines, while every
// advance, and so every caption's width, stays Tahoma Bold's.
QByteArray boldToEmbolden(QByteArray face)
{
    const qsizetype os2 = tableOffset(face, "OS/2");
    const qsizetype head = tableOffset(face, "head");
    if (os2 < 0 || head < 0)
        return face;
    constexpr quint16 regularWeight = 400;
    constexpr quint16 selectionBold = 0x20, selectionRegular = 0x40;
    constexpr quint16 macStyleBold = 0x01;
    putUint16(face, os2 + 4, regularWeight);
    putUint16(face, os2 + 62, quint16((uint16At(face, os2 + 62) & ~selectionBold) | selectionRegular));
    putUint16(face, head + 44, quint16(uint16At(face, head + 44) & ~macStyleBold));
    return face;
}

} // namespace

bool registerTahoma()
{
    static const bool available = [] {
        const QString family = QStringLiteral("Tahoma");
        if (QFontDatabase::families().contains(family))
            return true;
        QFile bold(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
        if (!bold.open(QIODevice::ReadOnly))
            return false;
        return QFontDatabase::addApplicationFontFromData(boldToEmbolden(bold.readAll())) >= 0
               && QFontDatabase::families().contains(family);
    }();
    return available;
}

QFont tahomaBold(int pixelSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferMatch);
    return font;
}

} // namespace orlo
