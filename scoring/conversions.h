#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlo {

// Every value of the score sheet is the text of a field; these are the only
// ways text becomes a number and a number becomes text. They ignore the
// machine's locale: the decimal point is always ".".

// Reads as much of a number as the text holds and ignores the rest; blanks
// anywhere are dropped first. Never fails: text without a number reads as 0,
// and a number beyond the double range reads as an infinity of its sign.
double Lenient_Value(std::string_view text);

// A stop-watch reading as the official types it: Lenient_Value, except
// that a decimal comma followed by digits counts as the decimal point, as
// the keypad of many layouts types it ("12,5" reads as 12.5).
double watchReadingValue(std::string_view text);

// Reads a text that is a complete number apart from blanks at either end.
// Anything else, the empty text included, abandons the calling handler.
double Strict_Value(std::string_view text);

// Up to 15 significant digits in plain positional form ("12.35", "0.5", "25");
// magnitudes from 1E15 up or below 1E-4 in exponent form ("1.5E+15").
// An empty value gives the empty text.
std::string Number_Text(double value);
std::string Number_Text(std::optional<double> value);

std::string Integer_Text(int value);

enum class Pattern {
    OneDecimal,       // "0.0": 0 gives "0.0"
    OneDecimalNoZero, // "###.0": 0 gives ".0", 0.5 gives ".5"
};

// Rounds to one decimal the number as Number_Text writes it, to 15 digits,
// an exact half away from zero: 193.85 gives "193.9" although the double
// lies just below. A text that is a number is formatted as that number; any
// other text comes back unchanged.
std::string Format_Pattern(double value, Pattern pattern);
std::string Format_Pattern(std::string_view text, Pattern pattern);
std::string Format_Pattern(std::optional<double> value, Pattern pattern);

// Whether a text can be read by Strict_Value, without abandoning anything.
bool isCompleteNumber(std::string_view text);

// Characters of a UTF-8 text, as the operator counts them.
int characterCount(std::string_view text);

} // namespace orlo
