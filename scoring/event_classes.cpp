#include "event_classes.h"

#include "handler_failure.h"

namespace orlo {
namespace {

// The rule books' ten-digit pi, not the full-precision constant: the published
// speeds are computed with it.
constexpr double rulebookPi = 3.141592654;
constexpr double lapsPerRun = 7;
constexpr double feetPerMile = 5280;
constexpr double secondsPerHour = 3600;

} // namespace

const EventClass &eventClass(ClassIndex index)
{
    if (index < 0 || index >= static_cast<ClassIndex>(eventClasses.size()))
        return eventClasses[0];
    return eventClasses[static_cast<std::size_t>(index)];
}

std::optional<double> speedMph(ClassIndex index, double seconds)
{
    const double diameter = eventClass(index).circleFeet;
    const double miles = checked::divide(
        checked::multiply(checked::multiply(diameter, rulebookPi), lapsPerRun), feetPerMile);
    if (seconds == 0.0)
        return std::nullopt;
    const double hours = checked::divide(seconds, secondsPerHour);
    return checked::divide(miles, hours);
}

} // namespace orlo
