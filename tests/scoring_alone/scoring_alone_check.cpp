// Links the rules into a program with no Qt and scores the worked speed.
#include "conversions.h"
#include "event_classes.h"

#include <cstdio>

int main()
{
    const std::string speed = orlo::Number_Text(orlo::speedMph(0, 25));
    std::puts(speed.c_str());
    return speed == "71.9710317098182" ? 0 : 1;
}
