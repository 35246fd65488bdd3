#pragma once

#include <QString>

#include <string>

namespace orlo {

// A text the journal kept (UTF-8), as a window shows it.
inline QString shownText(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace orlo
