#pragma once

#include "contest_settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::contest {

// "Class I / Profile" or "Class I|Profile": a contestant's classes as typed
// or read from a registration file, separated by "/" or "|", each tidied as
// a name is, empty ones left out.
std::vector<std::string> classesIn(std::string_view text);

// The program's class a registration file's cell names, the case folded and
// blanks collapsed ("PROFILE", "class  ii"); none for a class of no such name.
std::optional<std::string> knownClassNamed(std::string_view text);
// A registration file's classes cell: one class, or classes separated by
// "/", "|", ";" or ",", each one of the program's classes; none when a part
// is no class ("Class 1", "Sportsmen"). A blank cell lists no class.
std::optional<std::vector<std::string>> knownClassesIn(std::string_view text);
// The program's classes an event's name holds, word for word, as a
// registration site names its events in a per-event export: "Navy Carrier
// Class I" holds Class I alone ("Class II" ends in another word), "Profile
// Navy Carrier" holds Profile. The event is read as a class when it holds one.
std::vector<std::string> classesInEventName(std::string_view event);
// The program's classes as a sentence lists them: "Class I, Class II, … and Skyray Carrier".
std::string knownClassesSaid();

// "Profile + Class I = Profile, Class I": a combination a line, its name, an
// equals sign and its classes separated by commas; a line without a name is
// named by its classes, a line without classes is no combination.
std::string combinationsText(const std::vector<Combination> &combinations);
std::vector<Combination> combinationsIn(std::string_view text);

} // namespace orlo::contest
