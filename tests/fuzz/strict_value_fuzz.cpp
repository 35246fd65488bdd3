// Strict_Value accepts exactly the complete numbers inside the double range,
// reads them correctly rounded, and Lenient_Value reads them alike.
#include "conversions.h"
#include "fuzz_check.h"
#include "handler_failure.h"

#include <cstdint>
#include <optional>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    reference::useCommaDecimalLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::optional<double> expected = reference::strictValue(text);
    const auto verdict = [](bool accepted) { return std::string(accepted ? "accepted" : "refused"); };

    const bool complete = orlo::isCompleteNumber(text);
    FUZZ_CHECK(complete == expected.has_value(), "isCompleteNumber follows the number grammar",
               text, verdict(complete), verdict(expected.has_value()));

    std::optional<double> actual;
    try {
        actual = orlo::Strict_Value(text);
    } catch (const orlo::HandlerAbandoned &failure) {
        FUZZ_CHECK(failure.reason() == orlo::HandlerAbandoned::Reason::NotANumber,
                   "a refused text is reported as not a number", text, failure.what(), "not a number");
    }
    FUZZ_CHECK(actual.has_value() == expected.has_value(), "Strict_Value accepts exactly the complete numbers",
               text, verdict(actual.has_value()), verdict(expected.has_value()));
    if (!expected)
        return 0;

    FUZZ_CHECK(reference::identical(*actual, *expected), "Strict_Value reads the correctly rounded value",
               text, reference::described(*actual), reference::described(*expected));

    const double lenient = orlo::Lenient_Value(text);
    FUZZ_CHECK(reference::identical(lenient, *actual),
               "Lenient_Value reads a complete number as Strict_Value does",
               text, reference::described(lenient), reference::described(*actual));
    return 0;
}
