#include "contestant_names.h"

namespace orlo::journal {

namespace {

// The length of the blank at the start of text, 0 when none.
std::size_t blankAt(std::string_view text)
{
    if (text.empty())
        return 0;
    const char c = text.front();
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')
        return 1;
    // U+00A0 NO-BREAK SPACE, which word processors put between initials.
    return text.starts_with("\xc2\xa0") ? 2 : 0;
}

} // namespace

std::string tidyName(std::string_view typed)
{
    std::string tidy;
    bool blankBefore = false;
    while (!typed.empty()) {
        if (const std::size_t blank = blankAt(typed)) {
            blankBefore = true;
            typed.remove_prefix(blank);
            continue;
        }
        if (blankBefore && !tidy.empty())
            tidy += ' ';
        blankBefore = false;
        tidy += typed.front();
        typed.remove_prefix(1);
    }
    return tidy;
}

std::string comparedName(std::string_view typed)
{
    std::string compared = tidyName(typed);
    for (std::size_t i = 0; i < compared.size(); ++i) {
        char &c = compared[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (c == '\xc3' && i + 1 < compared.size()) {
            // À (C3 80) to Þ (C3 9E) fold to à to þ, 0x20 further; × (C3 97) is no letter.
            char &next = compared[++i];
            const auto byte = static_cast<unsigned char>(next);
            if (byte >= 0x80 && byte <= 0x9e && byte != 0x97)
                next = static_cast<char>(byte + 0x20);
        }
    }
    return compared;
}

bool sameName(std::string_view a, std::string_view b)
{
    return comparedName(a) == comparedName(b);
}

std::vector<std::size_t> completions(const std::vector<NameAndNumber> &entries, std::string_view typed)
{
    const std::string wanted = comparedName(typed);
    std::vector<std::size_t> starting;
    std::vector<std::size_t> holding;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string name = comparedName(entries[i].name);
        const std::string number = comparedName(entries[i].number);
        if (name.starts_with(wanted) || number.starts_with(wanted))
            starting.push_back(i);
        else if (name.find(wanted) != std::string::npos || number.find(wanted) != std::string::npos)
            holding.push_back(i);
    }
    starting.insert(starting.end(), holding.begin(), holding.end());
    return starting;
}

} // namespace orlo::journal
