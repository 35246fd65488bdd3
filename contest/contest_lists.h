#pragma once

#include "contest_settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlo::contest {

// "Class I / Profile" or "Class I|Profile": a contestant's classes as typed
// or read from a registration file, separated by "/" or "|", each tidied as
// a name is, empty ones left out.
std::vector<std::string> classesIn(std::string_view text);

// "Profile + Class I = Profile, Class I": a combination a line, its name, an
// equals sign and its classes separated by commas; a line without a name is
// named by its classes, a line without classes is no combination.
std::string combinationsText(const std::vector<Combination> &combinations);
std::vector<Combination> combinationsIn(std::string_view text);

} // namespace orlo::contest
