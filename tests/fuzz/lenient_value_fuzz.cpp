// Lenient_Value never fails: it drops every blank and reads the longest
// number at the start of what is left, 0 when there is none.
#include "conversions.h"
#include "fuzz_check.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    reference::useCommaDecimalLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    double actual = 0.0;
    try {
        actual = orlo::Lenient_Value(text);
    } catch (const std::exception &failure) {
        failCheck("Lenient_Value never throws", text, failure.what(), "a value");
    }
    const double expected = reference::lenientValue(text);
    FUZZ_CHECK(reference::identical(actual, expected), "Lenient_Value reads the longest number left",
               text, reference::described(actual), reference::described(expected));
    return 0;
}
