#pragma once

#include "sheet_fields.h"

#include <QRect>
#include <QString>

#include <map>
#include <string>
#include <string_view>
#include <optional>
#include <utility>
#include <vector>

class QButtonGroup;
class QObject;
class QWidget;

namespace orlo {

// Every character as written: QString::fromUtf8 drops a leading byte order
// mark, which would change a field's text between the rules' write and read.
QString fromUtf8Exactly(std::string_view text);

// The sheet's form: its controls made where the form places them, in twips,
// with their names, option groups and Tab order; found again by control, and
// what they show read and written for the rules.
//
// Controls are found by objectName: the control's name, and for members of a
// control array an underscore and the Index ("HS_Watch_0", "Class_3",
// "ScalePts_1", "Line1_2"); controls without an Index keep their plain name
// ("HS_Time", "Summary", "Command2", "Label15", "Frame1", "Image1").
class ScoreSheetForm final {
public:
    using Key = std::pair<Name, int>;

    // Makes the controls on page, a widget of the sheet's window, which owns them.
    ScoreSheetForm(QWidget &sheet, QWidget &page);

    // The objectName of a control, as described above.
    static QString objectNameOf(Ctl control);

    QWidget *widgetOf(Ctl control) const;
    std::optional<Ctl> controlOf(const QObject *widget) const;
    const std::map<Key, QWidget *> &widgets() const { return m_widgets; }

    // What the controls show, as the rules' field operations of those names.
    std::string text(Ctl control) const;
    void setText(Ctl control, std::string_view text);
    void setCaption(Ctl option, std::string_view caption);
    bool isSelected(Ctl option) const;
    void select(Ctl option);
    void clearList(Ctl list);
    void addItem(Ctl list, std::string_view item);
    std::vector<std::string> items(Ctl list) const;
    int listIndex(Ctl list) const;
    void setListIndex(Ctl list, int index);
    void selectText(Ctl textBox, int start, int length);

    // The Tab order of the form, set once the controls lie where they stay:
    // moving a control to another parent drops it from the order.
    void arrangeTabOrder();

private:
    // The sheet's parts from top to bottom, as its form places them.
    void buildPicture();
    void buildClassRow(QButtonGroup &group);
    void buildSpeedRows();
    void buildBonusRow(QButtonGroup &scaleGroup);
    void buildSummaryAndButtons();
    void addTextBox(Ctl control, QRect box, const char *accessibleName);
    void addOption(Ctl control, QWidget *parent, QRect box, QButtonGroup &group);
    void addControl(Ctl control, QWidget *widget);

    QWidget &m_sheet;
    QWidget &m_page;
    std::map<Key, QWidget *> m_widgets;
};

} // namespace orlo
