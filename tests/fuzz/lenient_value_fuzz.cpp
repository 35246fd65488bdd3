// Lenient_Value never fails: it drops every blank and reads the longest
// number at the start of what is left, 0 when there is none. A stop-watch
// reading is read alike, a comma between the whole digits and more digits
// standing for the decimal point.
#include "conversions.h"
#include "fuzz_check.h"

#include <cstdint>
#include <exception>
#include <string>

namespace {

// The text as a stop-watch reading means it: blanks gone, and a decimal
// comma right after the sign and whole digits made a point.
std::string readingMeant(std::string_view text)
{
    std::string meant;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            meant.push_back(c);
    }
    const auto comma = meant.find_first_not_of("0123456789", meant.starts_with('+') || meant.starts_with('-'));
    if (comma != std::string::npos && comma + 1 < meant.size() && meant[comma] == ','
        && meant[comma + 1] >= '0' && meant[comma + 1] <= '9')
        meant[comma] = '.';
    return meant;
}

} // namespace

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

    double reading = 0.0;
    try {
        reading = orlo::watchReadingValue(text);
    } catch (const std::exception &failure) {
        failCheck("a stop-watch reading never throws", text, failure.what(), "a value");
    }
    const double meant = reference::lenientValue(readingMeant(text));
    FUZZ_CHECK(reference::identical(reading, meant), "a stop-watch reading takes a decimal comma for the point",
               text, reference::described(reading), reference::described(meant));
    return 0;
}
