#include "tab_order.h"

#include <algorithm>

namespace orlo {

bool isOption(Ctl control)
{
    return control.name == Name::Class || control.name == Name::ScalePts;
}

namespace {

bool isGroupStop(Ctl option, const std::function<bool(Ctl)> &selected)
{
    if (selected(option))
        return true;
    return std::none_of(sheetTabOrder.begin(), sheetTabOrder.end(), [&](const TabEntry &entry) {
        return entry.control.name == option.name && selected(entry.control);
    });
}

} // namespace

std::optional<Ctl> nextTabStop(std::optional<Ctl> from, bool forward, const std::function<bool(Ctl)> &shown,
                               const std::function<bool(Ctl)> &selected)
{
    const auto size = static_cast<int>(sheetTabOrder.size());
    int position = forward ? -1 : size;
    if (from) {
        const auto found = std::find_if(sheetTabOrder.begin(), sheetTabOrder.end(),
                                        [&](const TabEntry &entry) { return entry.control == *from; });
        if (found != sheetTabOrder.end())
            position = static_cast<int>(found - sheetTabOrder.begin());
    }
    for (int step = 1; step <= size; ++step) {
        const int next = ((position + (forward ? step : -step)) % size + size) % size;
        const TabEntry &entry = sheetTabOrder[static_cast<std::size_t>(next)];
        if (entry.tabStop && shown(entry.control) && (!isOption(entry.control) || isGroupStop(entry.control, selected)))
            return entry.control;
    }
    return std::nullopt;
}

} // namespace orlo
