#pragma once

#include <QImage>
#include <QLabel>
#include <QRect>

#include <array>

namespace orlo {

// One of the score sheet's two headings in dark blue Tahoma Bold.
struct SheetHeading {
    const char *name;
    const char *caption;
    QRect box;
    int pixelSize;
};

// The program's title and its credit line.
extern const std::array<SheetHeading, 2> sheetHeadings;

// The heading as its label draws the text on the sheet's grey, in the
// sheet's look: what render_artwork keeps for the program.
QImage drawHeading(const SheetHeading &heading);

// Where render_artwork keeps those pixels among the program's resources.
QString headingArtworkName(const SheetHeading &heading);

// A heading of the sheet, shown from pixels drawn at build time: laying out
// and rasterizing Tahoma at 19 and 32 pixels, two sizes nothing else on the
// sheet uses, was a sixth of the instructions up to the first frame. Without
// those pixels, or at another device pixel ratio, it draws its text as any
// label does, and that is how render_artwork draws them.
class HeadingLabel final : public QLabel {
public:
    // drawn: the pixels of the heading at one device pixel to the pixel, on
    // the window grey; a null image to draw the text.
    HeadingLabel(const SheetHeading &heading, QImage drawn, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_drawn;
};

} // namespace orlo
