// record_flight JOURNAL NAME CLASS SCORE: records a flight as a second
// scoring program would and prints its id; record_flight JOURNAL --void ID
// makes that flight void. For the browser test.
#include "field_flights.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[2], "--void") == 0) {
        orlo::test::voidFlight(argv[1], std::atoll(argv[3]));
        return 0;
    }
    if (argc != 5) {
        std::fprintf(stderr, "usage: record_flight JOURNAL NAME CLASS SCORE | JOURNAL --void ID\n");
        return 2;
    }
    const std::int64_t flight = orlo::test::recordFlight(argv[1], argv[2], argv[3], argv[4]);
    std::printf("%lld\n", static_cast<long long>(flight));
    return flight == 0 ? 1 : 0;
}
