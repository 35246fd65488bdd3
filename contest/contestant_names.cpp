#include "contestant_names.h"

#include <algorithm>
#include <utility>

namespace orlo::contest {

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

namespace {

// The code point at the start of UTF-8 text and its length in bytes; a byte
// that starts no character is taken alone, as itself.
std::pair<char32_t, std::size_t> codePointAt(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    const std::size_t length = first < 0x80 ? 1 : first >= 0xc2 && first <= 0xdf ? 2 : first >= 0xe0 && first <= 0xef ? 3
                             : first >= 0xf0 && first <= 0xf4 ? 4 : 0;
    if (length <= 1 || text.size() < length)
        return {first, 1};
    char32_t point = first & (0xff >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80)
            return {first, 1};
        point = (point << 6) | (byte(i) & 0x3f);
    }
    return {point, length};
}

// The letters U+00C0 to U+00FF and U+0100 to U+017F with their marks
// dropped, a letter each; '*' where the letter folds to two (below) or is
// no letter (× and ÷, kept as written).
constexpr std::string_view latin1Letters = "aaaaaa*ceeeeiiiidnooooo*ouuuuy**aaaaaa*ceeeeiiiidnooooo*ouuuuy*y";
constexpr std::string_view latinExtendedALetters = "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkklllllllllln"
                                                   "nnnnnnnnoooooo**rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";

// The letters that fold to two: Æ æ, Þ þ, ß, Ĳ ĳ, Œ œ, ẞ.
std::string_view twoLetters(char32_t point)
{
    switch (point) {
    case 0xc6: case 0xe6: return "ae";
    case 0xde: case 0xfe: return "th";
    case 0xdf: case 0x1e9e: return "ss";
    case 0x132: case 0x133: return "ij";
    case 0x152: case 0x153: return "oe";
    default: return {};
    }
}

} // namespace

std::string searchedName(std::string_view typed)
{
    const std::string compared = comparedName(typed);
    std::string searched;
    searched.reserve(compared.size());
    for (std::string_view rest = compared; !rest.empty();) {
        const auto [point, length] = codePointAt(rest);
        const std::string_view written = rest.substr(0, length);
        rest.remove_prefix(length);
        // Combining marks, as a file written decomposed (NFD) carries them.
        if ((point >= 0x300 && point <= 0x36f) || (point >= 0x1ab0 && point <= 0x1aff)
            || (point >= 0x1dc0 && point <= 0x1dff) || (point >= 0x20d0 && point <= 0x20ff))
            continue;
        char letter = 0;
        if (point >= 0xc0 && point <= 0xff)
            letter = latin1Letters[point - 0xc0];
        else if (point >= 0x100 && point <= 0x17f)
            letter = latinExtendedALetters[point - 0x100];
        else if (point >= 0x218 && point <= 0x21b) // Ș ș Ț ț, Romanian's comma below
            letter = point < 0x21a ? 's' : 't';
        if (const std::string_view two = twoLetters(point); !two.empty())
            searched += two;
        else if (letter != 0 && letter != '*')
            searched += letter;
        else
            searched += written;
    }
    return searched;
}

bool sameName(std::string_view a, std::string_view b)
{
    return comparedName(a) == comparedName(b);
}

std::vector<std::size_t> completions(const std::vector<NameAndNumber> &entries, std::string_view typed)
{
    const std::string wanted = searchedName(typed);
    std::vector<std::size_t> starting;
    std::vector<std::size_t> holding;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string name = searchedName(entries[i].name);
        const std::string number = searchedName(entries[i].number);
        if (name.starts_with(wanted) || number.starts_with(wanted))
            starting.push_back(i);
        else if (name.find(wanted) != std::string::npos || number.find(wanted) != std::string::npos)
            holding.push_back(i);
    }
    starting.insert(starting.end(), holding.begin(), holding.end());
    return starting;
}

namespace {

// How many letters (bytes) must be added, dropped or changed to turn a into b.
std::size_t lettersChanged(const std::string &a, const std::string &b)
{
    std::vector<std::size_t> previous(b.size() + 1);
    std::vector<std::size_t> current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j)
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(previous, current);
    }
    return previous[b.size()];
}

} // namespace

std::vector<std::size_t> nearestNames(const std::vector<NameAndNumber> &entries, std::string_view typed,
                                      std::size_t count)
{
    const std::string wanted = searchedName(typed);
    std::vector<std::pair<std::size_t, std::size_t>> distances; // letters changed, position
    for (std::size_t i = 0; i < entries.size(); ++i)
        distances.emplace_back(lettersChanged(wanted, searchedName(entries[i].name)), i);
    const std::size_t kept = std::min(count, distances.size());
    std::partial_sort(distances.begin(), distances.begin() + static_cast<std::ptrdiff_t>(kept), distances.end());
    std::vector<std::size_t> nearest;
    for (std::size_t i = 0; i < kept; ++i)
        nearest.push_back(distances[i].second);
    return nearest;
}

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }));
}

} // namespace orlo::contest
