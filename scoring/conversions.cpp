#include "conversions.h"

#include "handler_failure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace orlo {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number taken apart into the pieces both readers agree on, so that the
// final conversion is one locale-free, correctly rounded call.
struct NumberParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
};

// Scans the longest number at the start of text. Returns how many characters
// belong to it, 0 when no digit was found.
std::size_t scanNumber(std::string_view text, NumberParts &parts, bool allowDExponent)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    parts.integerDigits = text.substr(integerStart, i - integerStart);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        parts.fractionDigits = text.substr(fractionStart, i - fractionStart);
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty())
        return 0;

    if (i < text.size()) {
        const char letter = text[i];
        const bool exponentLetter = letter == 'E' || letter == 'e'
            || (allowDExponent && (letter == 'D' || letter == 'd'));
        if (exponentLetter) {
            std::size_t j = i + 1;
            bool negativeExponent = false;
            if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
                negativeExponent = text[j] == '-';
                ++j;
            }
            const std::size_t exponentStart = j;
            while (j < text.size() && isDigit(text[j]))
                ++j;
            // An exponent letter without digits after it does not continue the number.
            if (j > exponentStart) {
                parts.exponentNegative = negativeExponent;
                parts.exponentDigits = text.substr(exponentStart, j - exponentStart);
                i = j;
            }
        }
    }
    return i;
}

std::string_view withoutLeadingZeros(std::string_view digits)
{
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

// The value of the parts, or an infinity of the right sign when it lies
// beyond the double range. Tiny values become zero.
double valueOf(const NumberParts &parts)
{
    const std::string_view integer = withoutLeadingZeros(parts.integerDigits);
    const auto firstFractionDigit = parts.fractionDigits.find_first_not_of('0');
    if (integer.empty() && firstFractionDigit == std::string_view::npos)
        return parts.negative ? -0.0 : 0.0;

    // Decimal exponent of the leading digit without the written exponent; a
    // written exponent far beyond any double is clamped so it cannot overflow
    // the arithmetic below, the outcome (infinity or zero) staying the same.
    long long leadingExponent = integer.empty()
        ? -static_cast<long long>(firstFractionDigit) - 1
        : static_cast<long long>(integer.size()) - 1;
    long long exponent = 0;
    for (char c : withoutLeadingZeros(parts.exponentDigits)) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 100'000'000)
            break;
    }
    if (parts.exponentNegative)
        exponent = -exponent;

    const double infinity = std::numeric_limits<double>::infinity();
    if (leadingExponent + exponent > 400)
        return parts.negative ? -infinity : infinity;
    if (leadingExponent + exponent < -400)
        return parts.negative ? -0.0 : 0.0;

    // Rebuild a plain form for from_chars, which ignores the locale and
    // rounds correctly however many digits there are.
    std::string plain;
    plain.reserve(parts.integerDigits.size() + parts.fractionDigits.size() + 24);
    plain.append(integer.empty() ? std::string_view("0") : integer);
    if (!parts.fractionDigits.empty()) {
        plain.push_back('.');
        plain.append(parts.fractionDigits);
    }
    plain.push_back('e');
    plain.append(std::to_string(exponent));

    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), magnitude);
    (void)end;
    if (error == std::errc::result_out_of_range)
        magnitude = leadingExponent + exponent > 0 ? infinity : 0.0;
    return parts.negative ? -magnitude : magnitude;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Reads text as a complete number; nullopt when it is not one or lies
// beyond the double range.
std::optional<double> completeNumber(std::string_view text)
{
    text = trimBlanks(text);
    NumberParts parts;
    const std::size_t used = scanNumber(text, parts, false);
    if (used == 0 || used != text.size())
        return std::nullopt;
    const double value = valueOf(parts);
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

// A finite nonzero magnitude to 15 significant digits: the digits without
// trailing zeros, and the decimal exponent of the first. Near the top of the
// double range, rounding up would give a text no reader can take back; it
// rounds towards zero there instead.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};

SignificantDigits fifteenDigits(double magnitude)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = scientific.find('e');
    SignificantDigits rounded;
    rounded.digits.push_back(scientific[0]);
    rounded.digits.append(scientific.substr(2, e - 2));
    rounded.exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
    constexpr std::string_view largestDigits = "179769313486231";
    if (rounded.exponent == 308 && rounded.digits > largestDigits)
        rounded.digits = largestDigits;
    while (rounded.digits.size() > 1 && rounded.digits.back() == '0')
        rounded.digits.pop_back();
    return rounded;
}

// One-decimal rounding of the number as its 15-digit text states it, an
// exact half going away from zero: an official adding up the fields by hand
// gets 72 + 20 + 6.85 + 95 = 193.85 and rounds it to 193.9, while the double
// sum lies just below.
std::string roundedToOneDecimal(double value)
{
    if (!std::isfinite(value))
        throw HandlerAbandoned(HandlerAbandoned::Reason::Overflow);
    if (value == 0.0)
        return "0.0";
    const SignificantDigits rounded = fifteenDigits(std::fabs(value));
    // Below 0.01 nothing reaches the tenths.
    if (rounded.exponent < -2)
        return "0.0";

    // The whole digits and the tenths, the hundredths deciding the rounding.
    const auto digitAt = [&](int position) { // position 0 is the leading digit
        return position >= 0 && position < static_cast<int>(rounded.digits.size())
            ? rounded.digits[static_cast<std::size_t>(position)] : '0';
    };
    const int tenthsPosition = rounded.exponent + 1;
    std::string tenths; // whole digits followed by the tenths digit
    for (int position = std::min(0, tenthsPosition - 1); position <= tenthsPosition; ++position)
        tenths.push_back(digitAt(position));
    if (digitAt(tenthsPosition + 1) >= '5') {
        auto digit = tenths.rbegin();
        for (; digit != tenths.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit == tenths.rend())
            tenths.insert(tenths.begin(), '1');
        else
            ++*digit;
    }
    if (tenths.find_first_not_of('0') == std::string::npos)
        return "0.0"; // a value that rounds to nothing carries no sign
    return (value < 0 ? "-" : "") + tenths.substr(0, tenths.size() - 1) + "." + tenths.back();
}

std::string withoutBlanks(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c))
            compact.push_back(c);
    }
    return compact;
}

// The number at the front of a text without blanks, 0 when there is none.
double leadingNumber(std::string_view compact)
{
    NumberParts parts;
    if (scanNumber(compact, parts, true) == 0)
        return 0.0;
    return valueOf(parts);
}

} // namespace

double Lenient_Value(std::string_view text)
{
    return leadingNumber(withoutBlanks(text));
}

double watchReadingValue(std::string_view text)
{
    std::string compact = withoutBlanks(text);
    // A comma right after the whole digits and followed by digits is the
    // decimal mark the official meant.
    std::size_t i = !compact.empty() && (compact[0] == '+' || compact[0] == '-') ? 1 : 0;
    while (i < compact.size() && isDigit(compact[i]))
        ++i;
    if (i + 1 < compact.size() && compact[i] == ',' && isDigit(compact[i + 1]))
        compact[i] = '.';
    return leadingNumber(compact);
}

double Strict_Value(std::string_view text)
{
    const auto value = completeNumber(text);
    if (!value)
        throw HandlerAbandoned(HandlerAbandoned::Reason::NotANumber);
    return *value;
}

bool isCompleteNumber(std::string_view text)
{
    return completeNumber(text).has_value();
}

std::string Number_Text(double value)
{
    if (!std::isfinite(value))
        throw HandlerAbandoned(HandlerAbandoned::Reason::Overflow);
    if (value == 0.0)
        return "0";
    const auto [digits, exponent] = fifteenDigits(std::fabs(value));

    std::string text = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        text.push_back(digits[0]);
        if (digits.size() > 1) {
            text.push_back('.');
            text.append(digits, 1);
        }
        text.append(exponent < 0 ? "E-" : "E+");
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        if (magnitude.size() < 2)
            text.push_back('0');
        text.append(magnitude);
    } else if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            text.append(digits);
            text.append(wholeDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, wholeDigits);
            text.push_back('.');
            text.append(digits, wholeDigits);
        }
    } else {
        text.append("0.");
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text.append(digits);
    }
    return text;
}

std::string Number_Text(std::optional<double> value)
{
    return value ? Number_Text(*value) : std::string();
}

std::string Integer_Text(int value)
{
    return std::to_string(value);
}

std::string Format_Pattern(double value, Pattern pattern)
{
    std::string text = roundedToOneDecimal(value);
    if (pattern == Pattern::OneDecimalNoZero) {
        const std::size_t whole = text.front() == '-' ? 1 : 0;
        if (text.compare(whole, 2, "0.") == 0)
            text.erase(whole, 1);
    }
    return text;
}

std::string Format_Pattern(std::string_view text, Pattern pattern)
{
    const auto value = completeNumber(text);
    if (!value)
        return std::string(text);
    return Format_Pattern(*value, pattern);
}

std::string Format_Pattern(std::optional<double> value, Pattern pattern)
{
    return value ? Format_Pattern(*value, pattern) : std::string();
}

int characterCount(std::string_view text)
{
    int count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

} // namespace orlo
