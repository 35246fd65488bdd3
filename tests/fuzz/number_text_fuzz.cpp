// Number_Text writes any finite double with at most 15 significant digits,
// in plain form from 1E-4 up to below 1E15, so that Strict_Value reads back
// the value rounded to 15 digits. Non-finite values abandon the handler.
//
// An input of exactly eight bytes is taken as the bits of a double; any
// other input as text for strtod, so that seeds stay readable ("12.35",
// "0x1p-1074", "inf").
#include "conversions.h"
#include "fuzz_check.h"
#include "handler_failure.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text)
{
    for (char c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// "0", or a whole part without leading zeros and an optional fraction that
// does not end in 0; no sign.
bool isPlainForm(std::string_view text)
{
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (whole.empty() || !allDigits(whole) || (whole.size() > 1 && whole[0] == '0'))
        return false;
    if (point == std::string_view::npos)
        return true;
    const std::string_view fraction = text.substr(point + 1);
    return !fraction.empty() && allDigits(fraction) && fraction.back() != '0';
}

// "d", or "d." and digits not ending in 0, then "E", a sign and two or three
// digits; no sign in front.
bool isExponentForm(std::string_view text)
{
    const auto e = text.find('E');
    if (e == std::string_view::npos)
        return false;
    const std::string_view mantissa = text.substr(0, e);
    const std::string_view exponent = text.substr(e + 1);
    const bool mantissaFits = mantissa.size() >= 1 && mantissa[0] >= '1' && mantissa[0] <= '9'
        && (mantissa.size() == 1
            || (mantissa.size() >= 3 && mantissa[1] == '.' && allDigits(mantissa.substr(2))
                && mantissa.back() != '0'));
    const bool exponentFits = (exponent.size() == 3 || exponent.size() == 4)
        && (exponent[0] == '+' || exponent[0] == '-') && allDigits(exponent.substr(1));
    return mantissaFits && exponentFits;
}

// The significant digits of an unsigned plain or exponent form, without
// leading or trailing zeros.
std::string significantDigits(std::string_view text)
{
    std::string digits;
    for (char c : text.substr(0, text.find('E'))) {
        if (isDigit(c) && !(digits.empty() && c == '0'))
            digits.push_back(c);
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    return digits;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    reference::useCommaDecimalLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    double value = 0.0;
    if (size == sizeof value)
        std::memcpy(&value, data, sizeof value);
    else
        value = reference::readByCLibrary(input);

    if (!std::isfinite(value)) {
        bool abandoned = false;
        try {
            orlo::Number_Text(value);
        } catch (const orlo::HandlerAbandoned &) {
            abandoned = true;
        }
        FUZZ_CHECK(abandoned, "a value beyond the double range abandons the handler", input,
                   "a text", "abandoned");
        return 0;
    }

    const std::string text = orlo::Number_Text(value);
    if (value == 0.0) {
        FUZZ_CHECK(text == "0", "zero is written as 0", input, text, "0");
        return 0;
    }

    // The value to 15 significant digits as the C library writes it:
    // "d.dddddddddddddde+x". Near the top of the double range that
    // rounding would overflow, so the text is cut to the largest 15-digit
    // number below the range instead.
    const std::string rounded = reference::printed("%.14e", std::fabs(value));
    std::string expectedDigits = rounded.substr(0, 1) + rounded.substr(2, 14);
    int exponent = std::atoi(rounded.c_str() + rounded.find('e') + 1);
    double expectedBack = std::copysign(reference::readByCLibrary(rounded), value);
    if (std::isinf(expectedBack)) {
        expectedDigits = "179769313486231";
        exponent = 308;
        expectedBack = std::copysign(reference::readByCLibrary("1.79769313486231e308"), value);
    }
    while (expectedDigits.size() > 1 && expectedDigits.back() == '0')
        expectedDigits.pop_back();

    const bool negative = !text.empty() && text[0] == '-';
    FUZZ_CHECK(negative == (value < 0), "only a negative value starts with -", input, text,
               reference::described(value));
    const std::string_view magnitude = std::string_view(text).substr(negative ? 1 : 0);
    const bool plainExpected = exponent >= -4 && exponent < 15;
    FUZZ_CHECK(plainExpected ? isPlainForm(magnitude) : isExponentForm(magnitude),
               plainExpected ? "plain form from 1E-4 to below 1E15" : "exponent form outside 1E-4 to 1E15",
               input, text, rounded);
    FUZZ_CHECK(significantDigits(magnitude) == expectedDigits, "the digits are the value's first 15, rounded",
               input, text, expectedDigits);

    FUZZ_CHECK(orlo::isCompleteNumber(text), "Strict_Value takes back what Number_Text writes", input, text,
               "a complete number");
    const double back = orlo::Strict_Value(text);
    FUZZ_CHECK(back == expectedBack, "reading the text back gives the value to 15 digits", input,
               reference::described(back), reference::described(expectedBack));
    return 0;
}
