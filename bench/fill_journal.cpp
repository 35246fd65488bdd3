#include "journal_filler.h"

#include <cstdio>
#include <cstdlib>

// fill_journal FILE [FLIGHTS [CONTESTS]]: a journal of many flights (100,000
// unless told), for trying the flights window on a season's worth; with
// CONTESTS, that many contests of FLIGHTS flights each, the last current.
int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: fill_journal FILE [FLIGHTS [CONTESTS]]\n");
        return 2;
    }
    const int flights = argc >= 3 ? std::atoi(argv[2]) : 100000;
    const int contests = argc == 4 ? std::atoi(argv[3]) : 1;
    return orlo::bench::fillSeason(argv[1], contests, flights) ? 0 : 1;
}
