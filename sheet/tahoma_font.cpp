#include "tahoma_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace orlo {

bool registerTahoma()
{
    static const bool available = [] {
        const QString family = QStringLiteral("Tahoma");
        if (QFontDatabase::families().contains(family))
            return true;
        bool registered = false;
        for (const char *file : {"tahoma.ttf", "tahomabd.ttf"}) {
            const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
            registered = QFontDatabase::addApplicationFont(path) >= 0 || registered;
        }
        return registered && QFontDatabase::families().contains(family);
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
