#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orlo::field {

// A text as HTML shows it, never read as markup: & < > " ' as references.
// A byte that starts no UTF-8 character is shown as U+FFFD.
std::string htmlEscaped(std::string_view text);

// A text as a JSON string, quotes included: valid JSON whatever the bytes
// (a broken UTF-8 sequence becomes U+FFFD), and safe inside a <script>
// element too, as < > & and the line separators U+2028/U+2029 are escaped.
std::string jsonQuoted(std::string_view text);

// "1st", "2nd", "3rd", "4th", "11th", "22nd": a place as the banner says it.
std::string ordinal(int place);

} // namespace orlo::field
