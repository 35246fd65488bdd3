#pragma once

#include <ctime>
#include <string>

namespace orlo::journal {

// Local time by strftime's format; "%z" comes out as "+01:00".
std::string localTimeText(std::time_t when, const char *format);

} // namespace orlo::journal
