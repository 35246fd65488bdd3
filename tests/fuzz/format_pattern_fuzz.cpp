// Format_Pattern of any number has its pattern's shape, -?[0-9]+\.[0-9] for
// "0.0" and -?[0-9]*\.[0-9] for "###.0", and is that number rounded to one
// decimal, an exact half away from zero; a text that is not a complete
// number comes back unchanged.
//
// The first input byte chooses: bit 0 the pattern ("###.0" when set), bit 1
// whether the next eight bytes are the bits of a double rather than the
// rest being a text. Text seeds therefore read "0" or "1" and then the text.
#include "conversions.h"
#include "fuzz_check.h"
#include "handler_failure.h"

#include <cmath>
#include <cstdint>
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

// The value to one decimal as the C library writes it. printf rounds the
// exact binary value, so it only needs help at exact halves, which in
// binary are the values ending in .25 or .75; those go away from zero.
std::string expectedText(double value, orlo::Pattern pattern)
{
    const double magnitude = std::fabs(value);
    const double fraction = magnitude - std::floor(magnitude);
    std::string text;
    if (fraction == 0.25 || fraction == 0.75) {
        text = (value < 0 ? "-" : "") + reference::printed("%.0f", std::floor(magnitude))
            + (fraction == 0.25 ? ".3" : ".8");
    } else {
        text = reference::printed("%.1f", value);
    }
    if (text == "-0.0")
        text = "0.0";
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
    FUZZ_CHECK(text == expected, "the number rounded to one decimal, halves away from zero", input, text,
               expected);
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
