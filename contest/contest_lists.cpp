#include "contest_lists.h"

namespace orlo::contest {

namespace {

// The length of the blank at the start of text, 0 when none: ASCII white
// space or U+00A0 NO-BREAK SPACE, which word processors put between words.
std::size_t blankAt(std::string_view text)
{
    if (text.empty())
        return 0;
    const char c = text.front();
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')
        return 1;
    return text.starts_with("\xc2\xa0") ? 2 : 0;
}

// The text with blanks at its ends dropped and every run of them inside made
// one space.
std::string simplified(std::string_view text)
{
    std::string tidy;
    bool blankBefore = false;
    while (!text.empty()) {
        if (const std::size_t blank = blankAt(text)) {
            blankBefore = true;
            text.remove_prefix(blank);
            continue;
        }
        if (blankBefore && !tidy.empty())
            tidy += ' ';
        blankBefore = false;
        tidy += text.front();
        text.remove_prefix(1);
    }
    return tidy;
}

// The text with blanks at its ends dropped.
std::string_view trimmed(std::string_view text)
{
    while (const std::size_t blank = blankAt(text))
        text.remove_prefix(blank);
    for (;;) {
        if (!text.empty() && blankAt(text.substr(text.size() - 1)))
            text.remove_suffix(1);
        else if (text.ends_with("\xc2\xa0"))
            text.remove_suffix(2);
        else
            return text;
    }
}

std::vector<std::string_view> split(std::string_view text, std::string_view separators)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find_first_of(separators);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

} // namespace

std::vector<std::string> classesIn(std::string_view text)
{
    std::vector<std::string> classes;
    for (const std::string_view part : split(text, "/|"))
        if (const std::string_view caption = trimmed(part); !caption.empty())
            classes.emplace_back(caption);
    return classes;
}

std::string combinationsText(const std::vector<Combination> &combinations)
{
    std::string text;
    for (const Combination &combination : combinations) {
        std::string classes;
        for (const std::string &caption : combination.classes)
            classes += (classes.empty() ? "" : ", ") + caption;
        text += (text.empty() ? "" : "\n") + combination.name + " = " + classes;
    }
    return text;
}

std::vector<Combination> combinationsIn(std::string_view text)
{
    std::vector<Combination> combinations;
    for (const std::string_view line : split(text, "\n")) {
        const std::size_t equals = line.find('=');
        const std::string_view listed = equals == std::string_view::npos ? line : line.substr(equals + 1);
        Combination combination;
        for (const std::string_view part : split(listed, ","))
            if (std::string caption = simplified(part); !caption.empty())
                combination.classes.push_back(std::move(caption));
        if (combination.classes.empty())
            continue;
        combination.name = equals == std::string_view::npos ? std::string() : simplified(line.substr(0, equals));
        if (combination.name.empty()) {
            // Named by its classes: "Profile, Class I" gives "Profile + Class I".
            combination.name = simplified(listed);
            for (std::size_t at = combination.name.find(", "); at != std::string::npos;
                 at = combination.name.find(", ", at + 3))
                combination.name.replace(at, 2, " + ");
        }
        combinations.push_back(std::move(combination));
    }
    return combinations;
}

} // namespace orlo::contest
