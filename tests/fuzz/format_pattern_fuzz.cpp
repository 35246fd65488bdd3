// Format_Pattern of any number has its pattern's shape, -?[0-9]+\.[0-9] for
// "0.0" and -?[0-9]*\.[0-9] for "###.0", and is that number as its 15-digit
// text states it rounded to one decimal, an exact half away from zero; a
// text that is not a complete number comes back unchanged.
//
// The first input byte chooses: bit 0 the pattern ("###.0" when set), bit 1
// whether the next eight bytes are the bits of a double rather than the
// rest being a text. Text seeds therefore read "0" or "1" and then the text.
#include "conversions.h"
#include "fuzz_check.h"
#include "handler_failure.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool allDigits(std::string_view text)
{
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A whole part of digits, "0" alone only in "0.0" and never in "###.0",
// then "." and one digit; "-" only in front of a number that is not zero.
bool hasPatternShape(std::string_view text, orlo::Pattern pattern)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view magnitude = text.substr(negative ? 1 : 0);
    if (magnitude.size() < 2 || magnitude[magnitude.size() - 2] != '.' || !allDigits(magnitude.substr(magnitude.size() - 1)))
        return false;
    const std::string_view whole = magnitude.substr(0, magnitude.size() - 2);
    if (!allDigits(whole))
        return false;
    const bool wholeFits = pattern == orlo::Pattern::OneDecimal
        ? !whole.empty() && (whole == "0" || whole[0] != '0')
        : whole.empty() || whole[0] != '0';
    const bool zero = (whole.empty() || whole == "0") && magnitude.back() == '0';
    return wholeFits && !(negative && zero);
}

// Adds 5 to a number written in decimal digits.
std::string plusFive(std::string digits)
{
    int carry = 5;
    for (auto digit = digits.rbegin(); digit != digits.rend() && carry != 0; ++digit) {
        const int sum = (*digit - '0') + carry;
        *digit = static_cast<char>('0' + sum % 10);
        carry = sum / 10;
    }
    if (carry != 0)
        digits.insert(digits.begin(), static_cast<char>('0' + carry));
    return digits;
}

// The value to one decimal as its 15-digit text states it, an exact half
// away from zero. The C library writes the 15 digits (cut to the largest
// 15-digit number below the double range where rounding would overflow);
// from them the count of whole hundredths is read off, and the tenths are
// that count plus 5, its last digit dropped.
std::string expectedText(double value, orlo::Pattern pattern)
{
    const std::string rounded = reference::printed("%.14e", std::fabs(value));
    std::string digits = rounded.substr(0, 1) + rounded.substr(2, 14);
    int exponent = std::atoi(rounded.c_str() + rounded.find('e') + 1);
    if (std::isinf(reference::readByCLibrary(rounded))) {
        digits = "179769313486231";
        exponent = 308;
    }
    std::string hundredths = "0";
    const int hundredthsDigits = exponent + 3;
    if (value != 0 && hundredthsDigits > 0) {
        hundredths = hundredthsDigits <= 15 ? digits.substr(0, static_cast<std::size_t>(hundredthsDigits))
                                           : digits + std::string(static_cast<std::size_t>(hundredthsDigits - 15), '0');
    }
    std::string tenths = plusFive(hundredths);
    tenths.pop_back();
    tenths.erase(0, tenths.find_first_not_of('0'));
    if (tenths.size() < 2)
        tenths.insert(0, 2 - tenths.size(), '0');
    const bool zero = tenths.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !zero ? "-" : "") + tenths.substr(0, tenths.size() - 1) + "." + tenths.back();
    if (pattern == orlo::Pattern::OneDecimalNoZero) {
        const std::size_t whole = text[0] == '-' ? 1 : 0;
        if (text.compare(whole, 2, "0.") == 0)
            text.erase(whole, 1);
    }
    return text;
}

void checkNumber(double value, orlo::Pattern pattern, std::string_view input)
{
    if (!std::isfinite(value)) {
        bool abandoned = false;
        try {
            orlo::Format_Pattern(value, pattern);
        } catch (const orlo::HandlerAbandoned &) {
            abandoned = true;
        }
        FUZZ_CHECK(abandoned, "a value beyond the double range abandons the handler", input, "a text",
                   "abandoned");
        return;
    }
    const std::string text = orlo::Format_Pattern(value, pattern);
    FUZZ_CHECK(hasPatternShape(text, pattern), "the text has the pattern's shape", input, text,
               pattern == orlo::Pattern::OneDecimal ? "-?[0-9]+\\.[0-9]" : "-?[0-9]*\\.[0-9]");
    const std::string expected = expectedText(value, pattern);
    FUZZ_CHECK(text == expected, "the 15-digit number rounded to one decimal, halves away from zero", input,
               text, expected);
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
    if (size == 0)
        return 0;
    const orlo::Pattern pattern = (data[0] & 1) ? orlo::Pattern::OneDecimalNoZero : orlo::Pattern::OneDecimal;

    double value = 0.0;
    if ((data[0] & 2) && size >= 1 + sizeof value) {
        std::memcpy(&value, data + 1, sizeof value);
        checkNumber(value, pattern, input);
        return 0;
    }

    const std::string_view text = input.substr(1);
    const std::string formatted = orlo::Format_Pattern(text, pattern);
    const std::optional<double> number = reference::strictValue(text);
    if (!number) {
        FUZZ_CHECK(formatted == text, "a text that is not a number comes back unchanged", input, formatted,
                   std::string(text));
        return 0;
    }
    checkNumber(*number, pattern, input);
    const std::string fromNumber = orlo::Format_Pattern(*number, pattern);
    FUZZ_CHECK(formatted == fromNumber, "a number's text is formatted as the number", input, formatted,
               fromNumber);
    return 0;
}
