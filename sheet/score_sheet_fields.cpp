#include "score_sheet_window.h"

#include "designed_palette.h"
#include "sheet_option.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QStringDecoder>

namespace orlo {

using namespace ctl;

// The field operations the rules use, on the window's own controls.

namespace {

// Every character as written: QString::fromUtf8 drops a leading byte order
// mark, which would change a field's text between the rules' write and read.
QString fromUtf8(std::string_view text)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
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

// Keeps a count raised for the lifetime of a scope.
class Raised {
public:
    explicit Raised(int &count) : m_count(count) { ++m_count; }
    ~Raised() { --m_count; }
    Raised(const Raised &) = delete;
    Raised &operator=(const Raised &) = delete;

private:
    int &m_count;
};

} // namespace

std::string ScoreSheetWindow::text(Ctl control) const
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

void ScoreSheetWindow::setText(Ctl control, std::string_view text)
{
    QWidget *widget = widgetOf(control);
    if (auto *field = qobject_cast<QLineEdit *>(widget)) {
        field->setText(fromUtf8(text));
        // A number longer than its box shows its leading digits, unless the
        // operator is typing there.
        if (focusWidget() != field)
            field->setCursorPosition(0);
    } else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(fromUtf8(text));
}

std::string ScoreSheetWindow::caption(Ctl option) const
{
    return text(option);
}

void ScoreSheetWindow::setCaption(Ctl option, std::string_view caption)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widgetOf(option))) {
        button->setText(fromUtf8(caption));
        button->setAccessibleName(optionAccessibleName(option, button->text()));
    }
}

bool ScoreSheetWindow::isSelected(Ctl option) const
{
    const auto *button = qobject_cast<const QRadioButton *>(widgetOf(option));
    return button && button->isChecked();
}

void ScoreSheetWindow::select(Ctl option)
{
    if (auto *button = qobject_cast<QRadioButton *>(widgetOf(option)))
        button->setChecked(true);
}

void ScoreSheetWindow::setVisible(Ctl control, bool visible)
{
    if (QWidget *widget = widgetOf(control)) {
        const Raised own(m_ownChanges);
        widget->setVisible(visible);
    }
}

void ScoreSheetWindow::clearList(Ctl list)
{
    if (auto *items = qobject_cast<QListWidget *>(widgetOf(list)))
        items->clear();
}

void ScoreSheetWindow::addItem(Ctl list, std::string_view item)
{
    if (auto *items = qobject_cast<QListWidget *>(widgetOf(list)))
        items->addItem(fromUtf8(item));
}

std::vector<std::string> ScoreSheetWindow::items(Ctl list) const
{
    std::vector<std::string> texts;
    if (const auto *items = qobject_cast<const QListWidget *>(widgetOf(list))) {
        for (int row = 0; row < items->count(); ++row)
            texts.push_back(items->item(row)->text().toStdString());
    }
    return texts;
}

int ScoreSheetWindow::listIndex(Ctl list) const
{
    const auto *items = qobject_cast<const QListWidget *>(widgetOf(list));
    if (!items)
        return -1;
    const QList<QListWidgetItem *> selected = items->selectedItems();
    return selected.isEmpty() ? -1 : items->row(selected.front());
}

void ScoreSheetWindow::setListIndex(Ctl list, int index)
{
    auto *items = qobject_cast<QListWidget *>(widgetOf(list));
    if (!items)
        return;
    if (index >= 0 && index < items->count())
        items->setCurrentRow(index);
    else
        items->clearSelection();
}

void ScoreSheetWindow::selectText(Ctl textBox, int start, int length)
{
    auto *field = qobject_cast<QLineEdit *>(widgetOf(textBox));
    if (!field || start < 0 || length < 0)
        return;
    const QString shown = field->text();
    const qsizetype from = utf16Offset(shown, start);
    const qsizetype to = utf16Offset(shown, start + length);
    field->setSelection(static_cast<int>(from), static_cast<int>(to - from));
}

void ScoreSheetWindow::setFocus(Ctl control)
{
    QWidget *widget = widgetOf(control);
    if (!widget)
        return;
    // Focus given to a window that is not active arrives only once the
    // window is activated, and then as an activation, not as a move.
    if (!isActiveWindow())
        activateWindow();
    const Raised own(m_ownChanges);
    widget->setFocus(Qt::OtherFocusReason);
}

void ScoreSheetWindow::showMessage(std::string_view message)
{
    settlePressBeforeMessage();
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), fromUtf8(message), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    applyDesignedLook(box);
    // Without a window manager nothing activates the box on its own.
    QMetaObject::invokeMethod(&box, [&box] { box.activateWindow(); }, Qt::QueuedConnection);
    box.exec();
    activateWindow();
}

void ScoreSheetWindow::openLandingDialog()
{
    if (m_openLanding)
        m_openLanding();
}

void ScoreSheetWindow::closeLandingDialog()
{
    if (m_closeLanding)
        m_closeLanding();
}

void ScoreSheetWindow::endProgram()
{
    m_ended = true;
    closeLandingDialog();
    QCoreApplication::exit(0);
}

} // namespace orlo
