#pragma once

#include "results_model.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <vector>

class QPainter;

namespace orlo {

// Lengths on the sheet in tenths of a point, whatever the device: the sheet
// is laid out once in them and drawn scaled, so a printer of 1200 dpi, its
// preview and a PDF of 300 dpi break their pages at the same rows.
inline constexpr qreal unitsPerPoint = 10;

// A kind of the sheet's text: its font, and that font's measures taken once.
struct TextStyle {
    TextStyle(qreal points, bool bold, bool italic);
    QFont font;
    QFontMetricsF metrics;
};

// Every kind of text the sheet sets.
struct SheetStyles {
    TextStyle title{16, true, false};
    TextStyle heading{12, true, false};
    TextStyle body{8, false, false};
    TextStyle bold{8, true, false};
    TextStyle note{8, false, true};
    TextStyle boldNote{8, true, true};
};

// A line of text as laid out, and its width.
struct TextLine {
    QString text;
    qreal width = 0;
};

// A paragraph broken into lines as wide as the page, and the space above it.
struct Paragraph {
    const TextStyle *style = nullptr;
    std::vector<TextLine> lines;
    qreal spaceBefore = 0;
    qreal spaceAfter = 0;

    qreal height() const;
    void paint(QPainter &painter, qreal top) const;
};

Paragraph laidParagraph(const QString &text, const TextStyle &style, qreal width, qreal spaceBefore, qreal spaceAfter);

struct TableCell {
    qreal left = 0;
    qreal width = 0;
    const TextStyle *style = nullptr;
    bool right = false; // numbers stand to the right
    std::vector<TextLine> lines;
};

// One row of a table, or its header: always kept whole on one page.
struct TableRow {
    std::vector<TableCell> cells;
    qreal height = 0;
    bool header = false;

    void paint(QPainter &painter, qreal top) const;
};

// A table laid out across the page's width: each text measured once, the
// columns as wide as their widest text when the page allows, a name too long
// for its column wrapped within it.
struct LaidTable {
    TableRow header;
    std::vector<TableRow> rows;
};

LaidTable laidTable(const contest::ResultTable &table, const SheetStyles &styles, qreal width);

} // namespace orlo
