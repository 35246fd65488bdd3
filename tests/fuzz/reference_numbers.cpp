#include "reference_numbers.h"

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace reference {
namespace {

// Switches the calling thread to the "C" locale for as long as it lives.
class ClassicLocaleScope {
public:
    ClassicLocaleScope() : m_previous(uselocale(classic())) {}
    ~ClassicLocaleScope() { uselocale(m_previous); }
    ClassicLocaleScope(const ClassicLocaleScope &) = delete;
    ClassicLocaleScope &operator=(const ClassicLocaleScope &) = delete;

private:
    static locale_t classic()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
        return c;
    }
    locale_t m_previous;
};

// A table-driven recogniser, deliberately shaped unlike the conversions'
// own hand-written scanner.
enum State : int { Start, Signed, Whole, LonePoint, Fraction, ExponentLetter, ExponentSign, ExponentDigits, Dead };
enum CharClass : int { Digit, Point, Sign, LetterE, LetterD, Other };
constexpr int stateCount = Dead + 1;
constexpr int classCount = Other + 1;

constexpr std::array<std::array<State, classCount>, stateCount> transitions = {{
    //            Digit           Point      Sign          LetterE         LetterD         Other
    /*Start*/    {{Whole,          LonePoint, Signed,       Dead,           Dead,           Dead}},
    /*Signed*/   {{Whole,          LonePoint, Dead,         Dead,           Dead,           Dead}},
    /*Whole*/    {{Whole,          Fraction,  Dead,         ExponentLetter, ExponentLetter, Dead}},
    /*LonePoint*/{{Fraction,       Dead,      Dead,         Dead,           Dead,           Dead}},
    /*Fraction*/ {{Fraction,       Dead,      Dead,         ExponentLetter, ExponentLetter, Dead}},
    /*ExpLetter*/{{ExponentDigits, Dead,      ExponentSign, Dead,           Dead,           Dead}},
    /*ExpSign*/  {{ExponentDigits, Dead,      Dead,         Dead,           Dead,           Dead}},
    /*ExpDigits*/{{ExponentDigits, Dead,      Dead,         Dead,           Dead,           Dead}},
    /*Dead*/     {{Dead,           Dead,      Dead,         Dead,           Dead,           Dead}},
}};

constexpr bool accepting(State state)
{
    return state == Whole || state == Fraction || state == ExponentDigits;
}

CharClass classify(char c, ExponentLetters letters)
{
    switch (c) {
    case '0': case '1': case '2': case '3': case '4':
    case '5': case '6': case '7': case '8': case '9':
        return Digit;
    case '.':
        return Point;
    case '+': case '-':
        return Sign;
    case 'e': case 'E':
        return LetterE;
    case 'd': case 'D':
        return letters == ExponentLetters::EOrD ? LetterD : Other;
    default:
        return Other;
    }
}

} // namespace

std::size_t numberPrefixLength(std::string_view text, ExponentLetters letters)
{
    State state = Start;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < text.size() && state != Dead; ++i) {
        state = transitions[state][classify(text[i], letters)];
        if (accepting(state))
            longest = i + 1;
    }
    return longest;
}

double valueOf(std::string_view numberText)
{
    std::string text(numberText);
    for (char &c : text) {
        if (c == 'd' || c == 'D')
            c = 'e';
    }
    const ClassicLocaleScope classic;
    return std::strtod(text.c_str(), nullptr);
}

double readByCLibrary(std::string_view text)
{
    const std::string terminated(text);
    const ClassicLocaleScope classic;
    return std::strtod(terminated.c_str(), nullptr);
}

bool identical(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

std::string described(double value)
{
    return printed("%.17g", value);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    for (char c : text) {
        if (!isBlank(c))
            kept.push_back(c);
    }
    return kept;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\n");
    return text.substr(first, last - first + 1);
}

double lenientValue(std::string_view text)
{
    const std::string compact = withoutBlanks(text);
    const std::size_t length = numberPrefixLength(compact, ExponentLetters::EOrD);
    return length == 0 ? 0.0 : valueOf(std::string_view(compact).substr(0, length));
}

std::optional<double> strictValue(std::string_view text)
{
    const std::string_view core = trimmed(text);
    if (core.empty() || numberPrefixLength(core, ExponentLetters::EOnly) != core.size())
        return std::nullopt;
    const double value = valueOf(core);
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

std::string printed(const char *format, double value)
{
    const ClassicLocaleScope classic;
    const int length = std::snprintf(nullptr, 0, format, value);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.pop_back();
    return text;
}

std::string printed(const char *format, int value)
{
    const ClassicLocaleScope classic;
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, format, value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

void useCommaDecimalLocale()
{
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name))
            return;
    }
}

std::string escaped(std::string_view bytes)
{
    std::string text = "\"";
    const std::size_t shown = bytes.size() < 200 ? bytes.size() : 200;
    for (std::size_t i = 0; i < shown; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '\\') {
            text.push_back('\\');
            text.push_back(static_cast<char>(c));
        } else if (c >= 0x20 && c < 0x7f) {
            text.push_back(static_cast<char>(c));
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            text.append(hex);
        }
    }
    text.push_back('"');
    if (shown < bytes.size())
        text.append(" ... (" + std::to_string(bytes.size()) + " bytes)");
    return text;
}

} // namespace reference
