#include "flight_status.h"

namespace orlo::contest {

std::string statusName(FlightStatus status)
{
    switch (status) {
    case FlightStatus::Attempt: return "attempt";
    case FlightStatus::Void: return "void";
    case FlightStatus::Official: break;
    }
    return "official";
}

std::optional<FlightStatus> statusNamed(std::string_view name)
{
    for (const FlightStatus status : {FlightStatus::Official, FlightStatus::Attempt, FlightStatus::Void})
        if (statusName(status) == name)
            return status;
    return std::nullopt;
}

} // namespace orlo::contest
