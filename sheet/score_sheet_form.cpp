#include "score_sheet_form.h"

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
#include <QRadioButton>
#include <QStringDecoder>
#include <QWidget>

#include <array>

namespace orlo {

using namespace ctl;

namespace {

const char *nameText(Name name)
{
    switch (name) {
    case Name::Class: return "Class";
    case Name::HS_Watch: return "HS_Watch";
    case Name::HS_Time: return "HS_Time";
    case Name::HS_MPH: return "HS_MPH";
    case Name::HS_Points: return "HS_Points";
    case Name::LS_Watch: return "LS_Watch";
    case Name::LS_Time: return "LS_Time";
    case Name::LS_MPH: return "LS_MPH";
    case Name::LS_Points: return "LS_Points";
    case Name::Engines: return "Engines";
    case Name::lblRunning: return "lblRunning";
    case Name::ScalePts: return "ScalePts";
    case Name::LandingPts: return "LandingPts";
    case Name::Score: return "Score";
    case Name::Summary: return "Summary";
    case Name::Command1: return "Command1";
    case Name::Command2: return "Command2";
    case Name::Command3: return "Command3";
    case Name::Command4: return "Command4";
    }
    return "";
}

bool isArray(Name name)
{
    return name == Name::Class || name == Name::HS_Watch || name == Name::LS_Watch || name == Name::Engines
           || name == Name::ScalePts;
}

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

// UTF-16 position of a character position: characters beyond the Basic
// Multilingual Plane take two UTF-16 units.
qsizetype utf16Offset(const QString &text, int characters)
{
    qsizetype offset = 0;
    for (int seen = 0; seen < characters && offset < text.size(); ++seen)
        offset += text.at(offset).isHighSurrogate() && offset + 1 < text.size() ? 2 : 1;
    return offset;
}

} // namespace

QString fromUtf8Exactly(std::string_view text)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

ScoreSheetForm::ScoreSheetForm(QWidget &sheet, QWidget &page) : m_sheet(sheet), m_page(page)
{
    buildPicture();
    // Explicit groups: Qt's automatic grouping of sibling options also
    // reaches into the frame, and would treat both groups as one for Tab.
    auto *classGroup = new QButtonGroup(&m_sheet);
    auto *scaleGroup = new QButtonGroup(&m_sheet);
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
    for (auto *option : m_sheet.findChildren<SheetOption *>())
        option->takeFocusOnLeftClickOnly();
}

QString ScoreSheetForm::objectNameOf(Ctl control)
{
    QString name = QString::fromLatin1(nameText(control.name));
    if (isArray(control.name))
        name += QLatin1Char('_') + QString::number(control.index);
    return name;
}

void ScoreSheetForm::addControl(Ctl control, QWidget *widget)
{
    widget->setObjectName(objectNameOf(control));
    m_widgets[{control.name, control.index}] = widget;
}

QWidget *ScoreSheetForm::widgetOf(Ctl control) const
{
    const auto found = m_widgets.find({control.name, control.index});
    return found == m_widgets.end() ? nullptr : found->second;
}

std::optional<Ctl> ScoreSheetForm::controlOf(const QObject *widget) const
{
    for (const auto &[key, candidate] : m_widgets) {
        if (candidate == widget)
            return Ctl{key.first, key.second};
    }
    return std::nullopt;
}

void ScoreSheetForm::addTextBox(Ctl control, QRect box, const char *accessibleName)
{
    // Made empty and given its text once: a text box made with its text lays
    // that text out three times over.
    auto *made = new QLineEdit(&m_page);
    made->setGeometry(box);
    made->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    made->setReadOnly(atStart(control).readOnly);
    made->setText(startText(control));
    made->setAccessibleName(QString::fromLatin1(accessibleName));
    addControl(control, made);
}

void ScoreSheetForm::addOption(Ctl control, QWidget *parent, QRect box, QButtonGroup &group)
{
    auto *made = new SheetOption(startText(control), parent);
    made->setGeometry(box);
    made->setAccessibleName(optionAccessibleName(control, startText(control)));
    made->setChecked(atStart(control).selected);
    group.addButton(made);
    addControl(control, made);
}

// What the controls show, read and written for the rules.

std::string ScoreSheetForm::text(Ctl control) const
{
    const QWidget *widget = widgetOf(control);
    if (const auto *field = qobject_cast<const QLineEdit *>(widget))
        return field->text().toStdString();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text().toStdString();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text().toStdString();
    return {};
}

void ScoreSheetForm::setText(Ctl control, std::string_view text)
{
    QWidget *widget = widgetOf(control);
    if (auto *field = qobject_cast<QLineEdit *>(widget)) {
        field->setText(fromUtf8Exactly(text));
        // A number longer than its box shows its leading digits, unless the
        // operator is typing there.
        if (m_sheet.focusWidget() != field)
            field->setCursorPosition(0);
    } else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(fromUtf8Exactly(text));
}

void ScoreSheetForm::setCaption(Ctl option, std::string_view caption)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widgetOf(option))) {
        button->setText(fromUtf8Exactly(caption));
        button->setAccessibleName(optionAccessibleName(option, button->text()));
    }
}

bool ScoreSheetForm::isSelected(Ctl option) const
{
    const auto *button = qobject_cast<const QRadioButton *>(widgetOf(option));
    return button && button->isChecked();
}

void ScoreSheetForm::select(Ctl option)
{
    if (auto *button = qobject_cast<QRadioButton *>(widgetOf(option)))
        button->setChecked(true);
}

void ScoreSheetForm::clearList(Ctl list)
{
    if (auto *items = qobject_cast<QListWidget *>(widgetOf(list)))
        items->clear();
}

void ScoreSheetForm::addItem(Ctl list, std::string_view item)
{
    if (auto *items = qobject_cast<QListWidget *>(widgetOf(list)))
        items->addItem(fromUtf8Exactly(item));
}

std::vector<std::string> ScoreSheetForm::items(Ctl list) const
{
    std::vector<std::string> texts;
    if (const auto *items = qobject_cast<const QListWidget *>(widgetOf(list))) {
        for (int row = 0; row < items->count(); ++row)
            texts.push_back(items->item(row)->text().toStdString());
    }
    return texts;
}

int ScoreSheetForm::listIndex(Ctl list) const
{
    const auto *items = qobject_cast<const QListWidget *>(widgetOf(list));
    if (!items)
        return -1;
    const QList<QListWidgetItem *> selected = items->selectedItems();
    return selected.isEmpty() ? -1 : items->row(selected.front());
}

void ScoreSheetForm::setListIndex(Ctl list, int index)
{
    auto *items = qobject_cast<QListWidget *>(widgetOf(list));
    if (!items)
        return;
    if (index >= 0 && index < items->count())
        items->setCurrentRow(index);
    else
        items->clearSelection();
}

void ScoreSheetForm::selectText(Ctl textBox, int start, int length)
{
    auto *field = qobject_cast<QLineEdit *>(widgetOf(textBox));
    if (!field || start < 0 || length < 0)
        return;
    const QString shown = field->text();
    const qsizetype from = utf16Offset(shown, start);
    const qsizetype to = utf16Offset(shown, start + length);
    field->setSelection(static_cast<int>(from), static_cast<int>(to - from));
}

// The carrier logo and the two headings.
void ScoreSheetForm::buildPicture()
{
    auto *image = new QLabel(&m_page);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twipsRect(60, 60, 3900, 2950));
    image->setFrameStyle(QFrame::Box | QFrame::Plain);
    image->setLineWidth(1);
    image->setPixmap(carrierLogo(image->contentsRect().size()));

    for (const SheetHeading &heading : sheetHeadings)
        new HeadingLabel(heading, headingArtwork(heading), &m_page);
}

void ScoreSheetForm::buildClassRow(QButtonGroup &group)
{
    addLine(m_page, 0, 3120);
    addLabel(m_page, "Label3", QStringLiteral("Select One:"), twipsRect(60, 3240, 1275, 255));
    constexpr std::array<int, 6> classLefts{60, 1890, 3705, 5535, 7350, 9180};
    for (int i = 0; i < 6; ++i)
        addOption(Class(i), &m_page, twipsRect(classLefts[static_cast<std::size_t>(i)], 3540, 1755, 315), group);
}

void ScoreSheetForm::buildSpeedRows()
{
    addLine(m_page, 1, 4020);
    addLabel(m_page, "Label4", QStringLiteral("High Speed (Enter time in Seconds)"), twipsRect(60, 4080, 3615, 255));
    addLabel(m_page, "Label5", QStringLiteral("Watch One:"), twipsRect(60, 4380, 1275, 255));
    addLabel(m_page, "Label6", QStringLiteral("Watch One:"), twipsRect(2520, 4380, 1275, 255));
    addLabel(m_page, "Label16", QStringLiteral("Avg. Time"), twipsRect(5100, 4380, 1275, 255));
    addLabel(m_page, "Label7", QStringLiteral("MPH:"), twipsRect(7560, 4380, 1275, 255));
    addLabel(m_page, "Label8", QStringLiteral("Points:"), twipsRect(10080, 4380, 1275, 255));
    addTextBox(HS_Watch(0), twipsRect(60, 4680, 1335, 315), "High Speed Watch One");
    addTextBox(HS_Watch(1), twipsRect(2520, 4680, 1335, 360), "High Speed Watch Two");
    addTextBox(HS_Time, twipsRect(5100, 4680, 1335, 360), "High Speed Avg. Time");
    addTextBox(HS_MPH, twipsRect(7560, 4680, 1335, 315), "High Speed MPH");
    addTextBox(HS_Points, twipsRect(10020, 4680, 1335, 315), "High Speed Points");

    addLine(m_page, 2, 5100);
    addLabel(m_page, "Label9", QStringLiteral("Low Speed (Enter time in Seconds)"), twipsRect(60, 5160, 3615, 255));
    addLabel(m_page, "Label10", QStringLiteral("Watch One:"), twipsRect(60, 5460, 1275, 255));
    addLabel(m_page, "Label11", QStringLiteral("Watch One:"), twipsRect(2520, 5460, 1275, 255));
    addLabel(m_page, "Label19", QStringLiteral("Avg. Time"), twipsRect(5100, 5460, 1275, 255));
    addLabel(m_page, "Label12", QStringLiteral("MPH:"), twipsRect(7560, 5460, 1275, 255));
    addLabel(m_page, "Label13", QStringLiteral("Points:"), twipsRect(10080, 5460, 1275, 255));
    addTextBox(LS_Watch(0), twipsRect(60, 5760, 1335, 360), "Low Speed Watch One");
    addTextBox(LS_Watch(1), twipsRect(2520, 5760, 1335, 360), "Low Speed Watch Two");
    addTextBox(LS_Time, twipsRect(5100, 5715, 1335, 360), "Low Speed Avg. Time");
    addTextBox(LS_MPH, twipsRect(7560, 5760, 1335, 360), "Low Speed MPH");
    addTextBox(LS_Points, twipsRect(10020, 5760, 1335, 360), "Low Speed Points");
}

// The engines, the scale points, the landing points and the score.
void ScoreSheetForm::buildBonusRow(QButtonGroup &scaleGroup)
{
    addLine(m_page, 3, 6180);
    addLabel(m_page, "Label14", QStringLiteral("Bonus and Landing Points"), twipsRect(60, 6240, 3615, 255));
    addLabel(m_page, "Label15", QStringLiteral("Number of Engines"), twipsRect(60, 6840, 1275, 495));
    addTextBox(Engines(0), twipsRect(60, 7380, 1335, 315), "Number of Engines");
    m_widgets[{Name::lblRunning, 0}] =
        addLabel(m_page, "lblRunning", startText(lblRunning), twipsRect(1440, 6600, 1515, 735));
    addTextBox(Engines(1), twipsRect(1440, 7380, 1335, 360), "Engines Running at End of High Speed");

    auto *frame = new QGroupBox(QStringLiteral("Scale Points"), &m_page);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(3000, 7080, 1395, 855));
    addOption(ScalePts(0), frame, twipsRect(120, 240, 795, 255), scaleGroup);
    addOption(ScalePts(1), frame, twipsRect(120, 540, 795, 255), scaleGroup);

    addLabel(m_page, "Label18", QStringLiteral("Landing Points:"), twipsRect(4500, 6840, 1275, 495));
    addTextBox(LandingPts, twipsRect(4500, 7380, 1335, 360), "Landing Points");
    addLabel(m_page, "Label20", QStringLiteral("Score:"), twipsRect(6060, 7080, 1275, 255));
    addTextBox(Score, twipsRect(6060, 7380, 1335, 360), "Score");
}

void ScoreSheetForm::buildSummaryAndButtons()
{
    auto *summary = new QListWidget(&m_page);
    summary->setGeometry(twipsRect(7560, 6300, 3075, 1740));
    summary->setSelectionMode(QAbstractItemView::SingleSelection);
    summary->setAccessibleName(QStringLiteral("Summary"));
    addControl(Summary, summary);

    constexpr std::array<std::pair<Ctl, int>, 4> buttons{
        {{Command1, 4620}, {Command2, 6090}, {Command3, 7560}, {Command4, 11220}}};
    for (const auto &[control, left] : buttons) {
        auto *made = new WrappingButton(startText(control), &m_page);
        made->setGeometry(twipsRect(left, 8100, 1275, 615));
        addControl(control, made);
    }
}

void ScoreSheetForm::arrangeTabOrder()
{
    for (std::size_t i = 1; i < sheetTabOrder.size(); ++i)
        QWidget::setTabOrder(widgetOf(sheetTabOrder[i - 1].control), widgetOf(sheetTabOrder[i].control));
}

} // namespace orlo
