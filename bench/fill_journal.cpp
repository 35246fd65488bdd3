#include "journal_filler.h"

#include <cstdio>
#include <cstdlib>

// fill_journal FILE [FLIGHTS]: a journal of many flights (100,000 unless
// told), for trying the flights window on a season's worth.
int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: fill_journal FILE [FLIGHTS]\n");
        return 2;
    }
    const int flights = argc == 3 ? std::atoi(argv[2]) : 100000;
    return orlo::bench::fillJournal(argv[1], flights) ? 0 : 1;
}
