#include "score_sheet_window.h"

#include "sheet_at_start.h"
#include "sheet_artwork.h"
#include "sheet_option.h"
#include "tab_order.h"
#include "twips.h"
#include "wrapping_button.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <array>

namespace orlo {

using namespace ctl;

namespace {

// The text, caption or state a control starts with.
QString startText(Ctl control)
{
    const std::string_view text = atStart(control).text;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel *addLabel(QWidget &sheet, const char *name, const QString &caption, QRect box)
{
    auto *made = new QLabel(caption, &sheet);
    made->setObjectName(QLatin1String(name));
    made->setGeometry(box);
    made->setWordWrap(true);
    made->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return made;
}

// A rule across the sheet above each of its parts.
void addLine(QWidget &sheet, int index, int y)
{
    auto *made = new QWidget(&sheet);
    made->setObjectName(QStringLiteral("Line1_%1").arg(index));
    // Two pixels wide, centred on its twip position; it runs past the
    // right edge of the client area and is clipped there.
    made->setGeometry(0, pixelsFromTwips(y) - 1, pixelsFromTwips(13035), 2);
    made->setAutoFillBackground(true);
    made->setBackgroundRole(QPalette::WindowText);
}

} // namespace

void ScoreSheetWindow::addTextBox(Ctl control, QRect box, const char *accessibleName)
{
    auto *made = new QLineEdit(startText(control), this);
    made->setGeometry(box);
    made->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    made->setReadOnly(atStart(control).readOnly);
    made->setAccessibleName(QString::fromLatin1(accessibleName));
    addControl(control, made);
}

void ScoreSheetWindow::addOption(Ctl control, QWidget *parent, QRect box, QButtonGroup &group)
{
    auto *made = new SheetOption(startText(control), parent);
    made->setGeometry(box);
    made->setAccessibleName(optionAccessibleName(control, startText(control)));
    made->setChecked(atStart(control).selected);
    group.addButton(made);
    addControl(control, made);
}

// The controls where the sheet's form places them, in twips.
void ScoreSheetWindow::buildControls()
{
    buildPicture();
    // Explicit groups: Qt's automatic grouping of sibling options also
    // reaches into the frame, and would treat both groups as one for Tab.
    auto *classGroup = new QButtonGroup(this);
    auto *scaleGroup = new QButtonGroup(this);
    buildClassRow(*classGroup);
    buildSpeedRows();
    buildBonusRow(*scaleGroup);
    buildSummaryAndButtons();

    for (const StartingControl &entry : sheetAtStart) {
        if (!entry.visible)
            widgetOf(entry.control)->hide();
    }

    // Fields the Tab key skips still take the focus when clicked.
    for (const TabEntry &entry : sheetTabOrder) {
        if (!entry.tabStop)
            widgetOf(entry.control)->setFocusPolicy(Qt::ClickFocus);
    }
    for (auto *option : findChildren<SheetOption *>())
        option->takeFocusOnLeftClickOnly();
}

// The carrier logo and the two headings.
void ScoreSheetWindow::buildPicture()
{
    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twipsRect(60, 60, 3900, 2950));
    image->setFrameStyle(QFrame::Box | QFrame::Plain);
    image->setLineWidth(1);
    image->setPixmap(carrierLogo(image->contentsRect().size()));

    for (const SheetHeading &heading : sheetHeadings)
        new HeadingLabel(heading, headingArtwork(heading), this);
}

void ScoreSheetWindow::buildClassRow(QButtonGroup &group)
{
    addLine(*this, 0, 3120);
    addLabel(*this, "Label3", QStringLiteral("Select One:"), twipsRect(60, 3240, 1275, 255));
    constexpr std::array<int, 6> classLefts{60, 1890, 3705, 5535, 7350, 9180};
    for (int i = 0; i < 6; ++i)
        addOption(Class(i), this, twipsRect(classLefts[static_cast<std::size_t>(i)], 3540, 1755, 315), group);
}

void ScoreSheetWindow::buildSpeedRows()
{
    addLine(*this, 1, 4020);
    addLabel(*this, "Label4", QStringLiteral("High Speed (Enter time in Seconds)"), twipsRect(60, 4080, 3615, 255));
    addLabel(*this, "Label5", QStringLiteral("Watch One:"), twipsRect(60, 4380, 1275, 255));
    addLabel(*this, "Label6", QStringLiteral("Watch One:"), twipsRect(2520, 4380, 1275, 255));
    addLabel(*this, "Label16", QStringLiteral("Avg. Time"), twipsRect(5100, 4380, 1275, 255));
    addLabel(*this, "Label7", QStringLiteral("MPH:"), twipsRect(7560, 4380, 1275, 255));
    addLabel(*this, "Label8", QStringLiteral("Points:"), twipsRect(10080, 4380, 1275, 255));
    addTextBox(HS_Watch(0), twipsRect(60, 4680, 1335, 315), "High Speed Watch One");
    addTextBox(HS_Watch(1), twipsRect(2520, 4680, 1335, 360), "High Speed Watch Two");
    addTextBox(HS_Time, twipsRect(5100, 4680, 1335, 360), "High Speed Avg. Time");
    addTextBox(HS_MPH, twipsRect(7560, 4680, 1335, 315), "High Speed MPH");
    addTextBox(HS_Points, twipsRect(10020, 4680, 1335, 315), "High Speed Points");

    addLine(*this, 2, 5100);
    addLabel(*this, "Label9", QStringLiteral("Low Speed (Enter time in Seconds)"), twipsRect(60, 5160, 3615, 255));
    addLabel(*this, "Label10", QStringLiteral("Watch One:"), twipsRect(60, 5460, 1275, 255));
    addLabel(*this, "Label11", QStringLiteral("Watch One:"), twipsRect(2520, 5460, 1275, 255));
    addLabel(*this, "Label19", QStringLiteral("Avg. Time"), twipsRect(5100, 5460, 1275, 255));
    addLabel(*this, "Label12", QStringLiteral("MPH:"), twipsRect(7560, 5460, 1275, 255));
    addLabel(*this, "Label13", QStringLiteral("Points:"), twipsRect(10080, 5460, 1275, 255));
    addTextBox(LS_Watch(0), twipsRect(60, 5760, 1335, 360), "Low Speed Watch One");
    addTextBox(LS_Watch(1), twipsRect(2520, 5760, 1335, 360), "Low Speed Watch Two");
    addTextBox(LS_Time, twipsRect(5100, 5715, 1335, 360), "Low Speed Avg. Time");
    addTextBox(LS_MPH, twipsRect(7560, 5760, 1335, 360), "Low Speed MPH");
    addTextBox(LS_Points, twipsRect(10020, 5760, 1335, 360), "Low Speed Points");
}

// The engines, the scale points, the landing points and the score.
void ScoreSheetWindow::buildBonusRow(QButtonGroup &scaleGroup)
{
    addLine(*this, 3, 6180);
    addLabel(*this, "Label14", QStringLiteral("Bonus and Landing Points"), twipsRect(60, 6240, 3615, 255));
    addLabel(*this, "Label15", QStringLiteral("Number of Engines"), twipsRect(60, 6840, 1275, 495));
    addTextBox(Engines(0), twipsRect(60, 7380, 1335, 315), "Number of Engines");
    m_widgets[{Name::lblRunning, 0}] = addLabel(*this, "lblRunning", startText(lblRunning), twipsRect(1440, 6600, 1515, 735));
    addTextBox(Engines(1), twipsRect(1440, 7380, 1335, 360), "Engines Running at End of High Speed");

    auto *frame = new QGroupBox(QStringLiteral("Scale Points"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(3000, 7080, 1395, 855));
    addOption(ScalePts(0), frame, twipsRect(120, 240, 795, 255), scaleGroup);
    addOption(ScalePts(1), frame, twipsRect(120, 540, 795, 255), scaleGroup);

    addLabel(*this, "Label18", QStringLiteral("Landing Points:"), twipsRect(4500, 6840, 1275, 495));
    addTextBox(LandingPts, twipsRect(4500, 7380, 1335, 360), "Landing Points");
    addLabel(*this, "Label20", QStringLiteral("Score:"), twipsRect(6060, 7080, 1275, 255));
    addTextBox(Score, twipsRect(6060, 7380, 1335, 360), "Score");
}

void ScoreSheetWindow::buildSummaryAndButtons()
{
    auto *summary = new QListWidget(this);
    summary->setGeometry(twipsRect(7560, 6300, 3075, 1740));
    summary->setSelectionMode(QAbstractItemView::SingleSelection);
    summary->setAccessibleName(QStringLiteral("Summary"));
    addControl(Summary, summary);

    constexpr std::array<std::pair<Ctl, int>, 4> buttons{
        {{Command1, 4620}, {Command2, 6090}, {Command3, 7560}, {Command4, 11220}}};
    for (const auto &[control, left] : buttons) {
        auto *made = new WrappingButton(startText(control), this);
        made->setGeometry(twipsRect(left, 8100, 1275, 615));
        addControl(control, made);
    }
}

void ScoreSheetWindow::arrangeTabOrder()
{
    for (std::size_t i = 1; i < sheetTabOrder.size(); ++i)
        QWidget::setTabOrder(widgetOf(sheetTabOrder[i - 1].control), widgetOf(sheetTabOrder[i].control));
}

} // namespace orlo
