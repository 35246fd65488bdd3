#include "contest_lists.h"

#include "contestant_names.h"
#include "event_classes.h"

#include <algorithm>

namespace orlo::contest {

namespace {

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

// The words of a name, compared: split at blanks and at the punctuation
// between an event's parts; the point stays, ".15 Carrier" being a class.
std::vector<std::string> wordsOf(std::string_view text)
{
    const std::string compared = comparedName(text);
    std::vector<std::string> words;
    for (const std::string_view part : split(compared, " ,;:()[]/|&+-_"))
        if (!part.empty())
            words.emplace_back(part);
    return words;
}

} // namespace

std::vector<std::string> classesIn(std::string_view text)
{
    std::vector<std::string> classes;
    for (const std::string_view part : split(text, "/|"))
        if (std::string caption = tidyName(part); !caption.empty())
            classes.push_back(std::move(caption));
    return classes;
}

std::optional<std::string> knownClassNamed(std::string_view text)
{
    const std::string wanted = comparedName(text);
    for (const EventClass &known : eventClasses)
        if (comparedName(known.caption) == wanted)
            return std::string(known.caption);
    return std::nullopt;
}

std::optional<std::vector<std::string>> knownClassesIn(std::string_view text)
{
    if (tidyName(text).empty())
        return std::vector<std::string>();
    if (std::optional<std::string> one = knownClassNamed(text))
        return std::vector<std::string>{std::move(*one)};
    std::vector<std::string> classes;
    for (const std::string_view part : split(text, "/|;,")) {
        if (tidyName(part).empty())
            continue;
        std::optional<std::string> known = knownClassNamed(part);
        if (!known)
            return std::nullopt;
        if (std::find(classes.begin(), classes.end(), *known) == classes.end())
            classes.push_back(std::move(*known));
    }
    return classes;
}

std::vector<std::string> classesInEventName(std::string_view event)
{
    const std::vector<std::string> words = wordsOf(event);
    std::vector<std::string> held;
    for (const EventClass &known : eventClasses) {
        const std::vector<std::string> caption = wordsOf(known.caption);
        if (std::search(words.begin(), words.end(), caption.begin(), caption.end()) != words.end())
            held.emplace_back(known.caption);
    }
    return held;
}

std::string knownClassesSaid()
{
    std::string said;
    for (const EventClass &known : eventClasses)
        said += (said.empty() ? "" : &known == &eventClasses.back() ? " and " : ", ") + std::string(known.caption);
    return said;
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
        for (const std::string_view part : split(listed, ",")) {
            std::string caption = tidyName(part);
            // "class  i" typed for Class I draws on Class I's flights, and a class typed twice counts once.
            if (std::optional<std::string> known = knownClassNamed(caption))
                caption = std::move(*known);
            if (!caption.empty()
                && std::find(combination.classes.begin(), combination.classes.end(), caption)
                       == combination.classes.end())
                combination.classes.push_back(std::move(caption));
        }
        if (combination.classes.empty())
            continue;
        combination.name = equals == std::string_view::npos ? std::string() : tidyName(line.substr(0, equals));
        // Named by its classes: "Profile, Class I" gives "Profile + Class I".
        if (combination.name.empty())
            for (const std::string &caption : combination.classes)
                combination.name += (combination.name.empty() ? "" : " + ") + caption;
        combinations.push_back(std::move(combination));
    }
    return combinations;
}

} // namespace orlo::contest
