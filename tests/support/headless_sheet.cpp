#include "headless_sheet.h"

#include "conversions.h"
#include "sheet_at_start.h"
#include "tab_order.h"

#include <algorithm>
#include <array>
#include <stdexcept>

using namespace orlo;
using namespace orlo::ctl;

namespace {

int groupSize(Name group)
{
    return group == Name::Class ? 6 : 2;
}

// Byte offset of a character position in UTF-8 text.
std::size_t byteOffset(const std::string &text, int characters)
{
    std::size_t offset = 0;
    int seen = 0;
    while (offset < text.size()) {
        if ((static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80) {
            if (seen == characters)
                return offset;
            ++seen;
        }
        ++offset;
    }
    return offset;
}

} // namespace

HeadlessSheet::HeadlessSheet()
{
    for (const StartingControl &entry : sheetAtStart) {
        Control &made = m_controls[{entry.control.name, entry.control.index}];
        made.text = entry.text;
        made.visible = entry.visible;
        made.selected = entry.selected;
        made.readOnly = entry.readOnly;
    }
}

HeadlessSheet::Control &HeadlessSheet::at(Ctl control)
{
    const auto found = m_controls.find({control.name, control.index});
    if (found == m_controls.end())
        throw std::logic_error("no such control on the score sheet");
    return found->second;
}

const HeadlessSheet::Control &HeadlessSheet::at(Ctl control) const
{
    return const_cast<HeadlessSheet *>(this)->at(control);
}

void HeadlessSheet::start()
{
    m_rules.start();
    catchUpFocus();
}

void HeadlessSheet::click(Ctl control)
{
    if (!at(control).visible)
        return;
    m_rules.focusTo(control);
    switch (control.name) {
    case Name::Command1:
    case Name::Command2:
    case Name::Command3:
    case Name::Command4:
        m_rules.buttonPressed(control);
        break;
    default:
        break;
    }
    catchUpFocus();
}

void HeadlessSheet::type(Ctl field, std::string_view typed)
{
    click(field);
    if (m_focus == field)
        typeHere(typed);
}

void HeadlessSheet::typeHere(std::string_view typed)
{
    if (!m_focus)
        return;
    Control &field = at(*m_focus);
    if (field.readOnly || isOption(*m_focus) || m_focus->name == Name::Summary)
        return;
    const std::size_t from = byteOffset(field.text, field.selectionStart);
    const std::size_t to = byteOffset(field.text, field.selectionStart + field.selectionLength);
    field.text.replace(from, to - from, typed);
    field.selectionStart += characterCount(typed);
    field.selectionLength = 0;
}

void HeadlessSheet::tab()
{
    moveByTab(true);
}

void HeadlessSheet::backtab()
{
    moveByTab(false);
}

void HeadlessSheet::moveByTab(bool forward)
{
    if (const auto next = nextTabStop(forward)) {
        m_rules.focusTo(*next);
        catchUpFocus();
    }
}

std::optional<Ctl> HeadlessSheet::nextTabStop(bool forward) const
{
    return orlo::nextTabStop(
        m_focus, forward, [this](Ctl control) { return at(control).visible; },
        [this](Ctl option) { return at(option).selected; });
}

void HeadlessSheet::arrow(bool forward)
{
    if (!m_focus || !isOption(*m_focus))
        return;
    const int size = groupSize(m_focus->name);
    for (int step = 1; step < size; ++step) {
        const Ctl candidate{m_focus->name, ((m_focus->index + (forward ? step : -step)) % size + size) % size};
        if (at(candidate).visible) {
            m_rules.focusTo(candidate);
            catchUpFocus();
            return;
        }
    }
}

// The window moves the focus on by itself when the control holding it is
// hidden; it tells the rules as it would of any other move.
void HeadlessSheet::catchUpFocus()
{
    m_rules.catchUpFocus([this] { return m_focus; });
}

bool HeadlessSheet::isVisible(Ctl control) const
{
    return at(control).visible;
}

std::vector<std::string> HeadlessSheet::items(Ctl list) const
{
    return at(list).items;
}

std::pair<int, int> HeadlessSheet::selection(Ctl textBox) const
{
    const Control &field = at(textBox);
    return {field.selectionStart, field.selectionLength};
}

std::vector<std::string> HeadlessSheet::takeMessages()
{
    return std::exchange(m_messages, {});
}

std::string HeadlessSheet::text(Ctl control) const
{
    return at(control).text;
}

void HeadlessSheet::setText(Ctl control, std::string_view text)
{
    Control &field = at(control);
    field.text = std::string(text);
    field.selectionStart = characterCount(text);
    field.selectionLength = 0;
}

std::string HeadlessSheet::caption(Ctl option) const
{
    return at(option).text;
}

void HeadlessSheet::setCaption(Ctl option, std::string_view caption)
{
    at(option).text = std::string(caption);
}

bool HeadlessSheet::isSelected(Ctl option) const
{
    return at(option).selected;
}

void HeadlessSheet::select(Ctl option)
{
    for (int i = 0; i < groupSize(option.name); ++i)
        at({option.name, i}).selected = i == option.index;
}

void HeadlessSheet::setVisible(Ctl control, bool visible)
{
    at(control).visible = visible;
    // Like a window system, pass the focus to the next tab stop; the rules
    // hear of it once their handler is done.
    if (!visible && m_focus == control)
        m_focus = nextTabStop(true);
}

void HeadlessSheet::clearList(Ctl list)
{
    Control &state = at(list);
    state.items.clear();
    state.listIndex = -1;
}

void HeadlessSheet::addItem(Ctl list, std::string_view item)
{
    at(list).items.emplace_back(item);
}

int HeadlessSheet::listIndex(Ctl list) const
{
    return at(list).listIndex;
}

void HeadlessSheet::setListIndex(Ctl list, int index)
{
    Control &state = at(list);
    state.listIndex = index >= 0 && index < static_cast<int>(state.items.size()) ? index : -1;
}

void HeadlessSheet::selectText(Ctl textBox, int start, int length)
{
    Control &field = at(textBox);
    const int size = characterCount(field.text);
    field.selectionStart = std::clamp(start, 0, size);
    field.selectionLength = std::clamp(length, 0, size - field.selectionStart);
}

void HeadlessSheet::setFocus(Ctl control)
{
    m_focus = control;
}

void HeadlessSheet::showMessage(std::string_view message)
{
    m_messages.emplace_back(message);
}

void HeadlessSheet::openLandingDialog()
{
    m_dialogOpen = true;
    ++m_dialogOpenings;
}

void HeadlessSheet::closeLandingDialog()
{
    m_dialogOpen = false;
}

void HeadlessSheet::endProgram()
{
    m_ended = true;
}
