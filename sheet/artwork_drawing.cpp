#include "artwork_drawing.h"

#include "tahoma_font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace orlo {

namespace {

const QColor caseOutline(0x2b, 0x34, 0x40);
const QColor sweepRed(0xc0, 0x39, 0x2b);

} // namespace

void paintStopwatch(QPainter &painter, const QRectF &square)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Everything below is on a 256-unit grid, as in the SVG file.
    painter.translate(square.topLeft());
    painter.scale(square.width() / 256.0, square.height() / 256.0);

    painter.setPen(QPen(caseOutline, 8));
    painter.setBrush(QColor(0x9a, 0xa4, 0xae));
    painter.drawRoundedRect(QRectF(114, 26, 28, 24), 4, 4); // stem
    painter.drawRoundedRect(QRectF(96, 8, 64, 22), 8, 8);   // crown
    painter.save();
    painter.translate(128, 146);
    painter.rotate(45);
    painter.drawRoundedRect(QRectF(-12, -122, 24, 26), 4, 4); // lap button
    painter.restore();

    QLinearGradient metal(QPointF(60, 60), QPointF(200, 240));
    metal.setColorAt(0, QColor(0xe4, 0xe8, 0xec));
    metal.setColorAt(1, QColor(0x7c, 0x87, 0x92));
    painter.setBrush(metal);
    painter.drawEllipse(QPointF(128, 146), 100, 100);

    painter.setPen(QPen(caseOutline, 4));
    painter.setBrush(QColor(0xfb, 0xfb, 0xf7));
    painter.drawEllipse(QPointF(128, 146), 82, 82);

    // The time run so far, from the top of the dial to the hand.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf4, 0xc7, 0xc0));
    painter.drawPie(QRectF(128 - 70, 146 - 70, 140, 140), 90 * 16, -120 * 16);

    for (int tick = 0; tick < 12; ++tick) {
        const bool quarter = tick % 3 == 0;
        const double angle = qDegreesToRadians(tick * 30.0);
        const QPointF direction(std::sin(angle), -std::cos(angle));
        painter.setPen(QPen(caseOutline, quarter ? 8 : 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(128, 146) + direction * (quarter ? 60 : 66), QPointF(128, 146) + direction * 74);
    }

    const double hand = qDegreesToRadians(120.0);
    painter.setPen(QPen(sweepRed, 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(128, 146), QPointF(128 + 64 * std::sin(hand), 146 - 64 * std::cos(hand)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(caseOutline);
    painter.drawEllipse(QPointF(128, 146), 11, 11);
    painter.restore();
}

QImage drawCarrierLogo(const QSize &box)
{
    // Drawn on the logo's 300 x 232 grid and stretched by the painter, so
    // the picture is as sharp in its box as it would be at its own size. The
    // format is that of a pixmap on a 24-bit screen, so the sheet shows the
    // very pixels painting it there would give.
    QImage logo(box, QImage::Format_RGB32);
    // The horizon's row of pixels is only partly covered by the sky and by
    // the sea; without a ground it would mix in whatever the memory held.
    logo.fill(Qt::black);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(box.width() / 300.0, box.height() / 232.0);

    QLinearGradient sky(QPointF(0, 0), QPointF(0, 140));
    sky.setColorAt(0, QColor(0x0b, 0x2a, 0x5b));
    sky.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
    painter.fillRect(QRectF(0, 0, 300, 140), sky);
    QLinearGradient sea(QPointF(0, 140), QPointF(0, 232));
    sea.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    sea.setColorAt(1, QColor(0x0d, 0x2a, 0x45));
    painter.fillRect(QRectF(0, 140, 300, 92), sea);

    // The deck in perspective, with its centre line and arresting lines.
    const QPolygonF deck({QPointF(118, 138), QPointF(182, 138), QPointF(262, 226), QPointF(38, 226)});
    painter.setPen(QPen(QColor(0x22, 0x26, 0x2b), 2));
    painter.setBrush(QColor(0x5d, 0x66, 0x70));
    painter.drawPolygon(deck);
    painter.setPen(QPen(QColor(0xf2, 0xf2, 0xf2), 3, Qt::DashLine));
    painter.drawLine(QPointF(150, 142), QPointF(150, 222));
    painter.setPen(QPen(QColor(0xf5, 0xd0, 0x3a), 2));
    for (double y : {196.0, 206.0, 216.0}) {
        const double inset = (226 - y) * 80.0 / 88.0;
        painter.drawLine(QPointF(38 + inset + 6, y), QPointF(262 - inset - 6, y));
    }

    // The flight circle the model flies on its lines, seen from the side.
    painter.setPen(QPen(QColor(0xff, 0xff, 0xff, 150), 2, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(22, 92, 256, 72));

    // The model, banking in over the deck.
    QPainterPath model;
    model.moveTo(96, 100);
    model.lineTo(150, 92);
    model.lineTo(156, 96);
    model.lineTo(150, 100);
    model.closeSubpath();
    model.moveTo(116, 97);
    model.lineTo(132, 80);
    model.lineTo(138, 82);
    model.lineTo(132, 97);
    model.closeSubpath();
    model.moveTo(100, 99);
    model.lineTo(96, 86);
    model.lineTo(102, 86);
    model.lineTo(108, 98);
    model.closeSubpath();
    painter.setPen(QPen(QColor(0x22, 0x26, 0x2b), 1.5));
    painter.setBrush(QColor(0xf5, 0xd0, 0x3a));
    painter.drawPath(model);

    painter.setPen(QColor(0xff, 0xff, 0xff));
    painter.setFont(tahomaBold(40));
    painter.drawText(QRectF(0, 14, 300, 50), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("ORLO"));
    painter.setFont(tahomaBold(15));
    painter.drawText(QRectF(0, 58, 300, 22), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("CARRIER SCORING"));

    paintStopwatch(painter, QRectF(238, 8, 54, 54));
    painter.end();
    return logo;
}

} // namespace orlo
