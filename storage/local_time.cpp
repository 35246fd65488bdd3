#include "local_time.h"

#include <string_view>

namespace orlo::journal {

std::string localTimeText(std::time_t when, const char *format)
{
    std::tm local{};
    localtime_r(&when, &local);
    char buffer[64];
    std::string text(buffer, std::strftime(buffer, sizeof buffer, format, &local));
    // ISO 8601 writes the offset from UTC with a colon: +0100 becomes +01:00.
    if (std::string_view(format).ends_with("%z") && text.size() >= 5)
        text.insert(text.size() - 2, ":");
    return text;
}

} // namespace orlo::journal
