// Integer_Text writes any 16- or 32-bit whole number as bare decimal digits
// with a leading "-" when negative, and Strict_Value reads it back exactly.
#include "conversions.h"
#include "fuzz_check.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    reference::useCommaDecimalLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    std::int32_t value = 0;
    std::memcpy(&value, data, size < sizeof value ? size : sizeof value);
    if (size == sizeof(std::int16_t)) {
        std::int16_t whole = 0; // the counters and landing points of the sheet
        std::memcpy(&whole, data, sizeof whole);
        value = whole;
    }

    const std::string text = orlo::Integer_Text(value);
    const std::string expected = reference::printed("%d", static_cast<int>(value));
    FUZZ_CHECK(text == expected, "bare decimal digits with a leading - when negative", input, text, expected);
    FUZZ_CHECK(orlo::isCompleteNumber(text), "Strict_Value takes back what Integer_Text writes", input, text,
               "a complete number");
    const double back = orlo::Strict_Value(text);
    FUZZ_CHECK(back == value, "reading the text back gives the whole number", input,
               reference::described(back), expected);
    return 0;
}
