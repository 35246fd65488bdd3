#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Slow, plain readers and writers of numbers, written apart from the
// conversions and leaning on the C library, that the fuzzers hold the
// conversions against. Every one of them works in the "C" locale whatever
// the process locale is.
namespace reference {

enum class ExponentLetters { EOnly, EOrD };

// Length of the longest start of text that is a number: optional sign,
// digits with at most one point and at least one digit, then optionally an
// exponent letter, optional sign and digits. 0 when the text does not start
// with a number.
std::size_t numberPrefixLength(std::string_view text, ExponentLetters letters);

// The correctly rounded value of a text that numberPrefixLength accepted
// in full; infinities beyond the double range, zero below it.
double valueOf(std::string_view numberText);

// Blanks are the space, the tab and the line feed.
bool isBlank(char c);
std::string withoutBlanks(std::string_view text);
std::string_view trimmed(std::string_view text);

// What a watch-time field reads as: blanks dropped, the longest number read.
double lenientValue(std::string_view text);

// The value of a text that is a complete finite number apart from blanks at
// either end, nothing otherwise.
std::optional<double> strictValue(std::string_view text);

// Whatever strtod makes of the text up to its first NUL: hexadecimal
// fractions, "inf" and "nan" included.
double readByCLibrary(std::string_view text);

// Equal and of the same sign, so that -0 and 0 differ.
bool identical(double a, double b);

// A double to all 17 digits, for failure reports.
std::string described(double value);

// printf-style formatting in the "C" locale.
std::string printed(const char *format, double value);
std::string printed(const char *format, int value);

// Makes the process locale one whose decimal mark is a comma, when the
// machine has one, so that any conversion that leans on the locale shows.
void useCommaDecimalLocale();

// Readable form of a fuzzer input for failure reports.
std::string escaped(std::string_view bytes);

} // namespace reference
