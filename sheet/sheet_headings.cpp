#include "sheet_headings.h"

#include "designed_palette.h"
#include "tahoma_font.h"
#include "twips.h"

#include <QPainter>

namespace orlo {

const std::array<SheetHeading, 2> sheetHeadings{{
    {"Label1", "Tarrow Carrier Scoring Program", twipsRect(4980, 120, 6075, 1275), 32},
    {"Label2", "Scores to the tenth", twipsRect(7020, 2040, 2055, 975), 19},
}};

QImage drawHeading(const SheetHeading &heading)
{
    QWidget sheet;
    HeadingLabel label(heading, QImage(), &sheet);
    applyDesignedLook(sheet);
    QImage image(heading.box.size(), QImage::Format_RGB32);
    label.render(&image);
    return image;
}

QString headingArtworkName(const SheetHeading &heading)
{
    return QStringLiteral("heading/%1.rgb32").arg(QLatin1String(heading.name));
}

HeadingLabel::HeadingLabel(const SheetHeading &heading, QImage drawn, QWidget *parent)
    : QLabel(QString::fromLatin1(heading.caption), parent), m_drawn(std::move(drawn))
{
    setObjectName(QLatin1String(heading.name));
    setGeometry(heading.box);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFont(tahomaBold(heading.pixelSize));
    QPalette blueInk;
    blueInk.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(blueInk);
}

void HeadingLabel::paintEvent(QPaintEvent *event)
{
    if (!m_drawn.isNull() && m_drawn.size() == size() && devicePixelRatio() == 1) {
        QPainter(this).drawImage(0, 0, m_drawn);
        return;
    }
    QLabel::paintEvent(event);
}

} // namespace orlo
