// record_flight JOURNAL NAME CLASS SCORE: records a flight as a second
// scoring program would and prints its id; record_flight JOURNAL --void ID
// makes that flight void; record_flight JOURNAL --hold keeps the journal open
// for recording, as a scoring window does, until its standard input ends.
// For the browser test.
#include "field_flights.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <cstdlib>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[2], "--hold") == 0) {
        orlo::journal::FlightJournal journal(argv[1]);
        if (!journal.open())
            return 1;
        std::printf("holding\n");
        std::fflush(stdout);
        for (std::string line; std::getline(std::cin, line);) {
        }
        return 0;
    }
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
