#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::contest {

// A name as it is kept: blanks (spaces, tabs, line breaks, no-break spaces)
// at the ends dropped and every run of them inside made one space.
std::string tidyName(std::string_view typed);

// The key two names are compared by: the tidy name with the case folded.
// Letters of ASCII and of Latin-1 (À to Þ, in UTF-8) are folded; letters of
// other scripts are compared exactly as written.
std::string comparedName(std::string_view typed);

// The key a search matches by: the compared name with accents and marks
// dropped, "José Núñez" and "Jose Nunez" alike. Letters with a mark fold to
// their letter (as decomposing them and dropping the marks would), marks
// written apart are dropped, and a small table folds the letters that carry
// no mark to drop: Ø to o, ß to ss, Æ to ae, Ł to l and the like. Only for
// finding: two names that differ in their accents stay two names.
std::string searchedName(std::string_view typed);

// The most characters a name or number read from a registration file may
// hold: a long double-barrelled name with a club fits several times over,
// and the results sheet draws every such name whole, on a few lines.
inline constexpr std::size_t longestName = 200;
// The characters of UTF-8 text, however many bytes each takes.
std::size_t characterCount(std::string_view text);

// Names differing only in case and blanks are the same contestant's.
bool sameName(std::string_view a, std::string_view b);

// What a completion list searches: a name and a number.
struct NameAndNumber {
    std::string_view name;
    std::string_view number;
};

// The positions of the entries whose searched name or number holds the
// typed text: "17" and "oka" both find "B. Okafor", number 17. Entries whose
// name or number starts with it come first, then the others, each in the
// list's order. Empty typing finds every entry.
std::vector<std::size_t> completions(const std::vector<NameAndNumber> &entries, std::string_view typed);

// The positions of the count entries whose searched names are nearest the
// typed name, fewest letters changed first (ties in the list's order): what
// the director is shown before a new name joins the list.
std::vector<std::size_t> nearestNames(const std::vector<NameAndNumber> &entries, std::string_view typed,
                                      std::size_t count);

} // namespace orlo::contest
