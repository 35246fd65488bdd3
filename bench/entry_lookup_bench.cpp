#include "contestant_names.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// entry_lookup_bench: the completion list searched at each key typed, over
// an entry list of 5,000 contestants, as the director types a number or
// part of a name. Prints the time of each key, the best of five runs;
// asserts nothing.
int main()
{
    using Clock = std::chrono::steady_clock;
    const char *firsts[] = {"Ann", "Bo", "Cy", "Dee", "Ed", "Flo", "Gus", "Hal", "Ivy", "Jo"};
    const char *lasts[] = {"Okafor", "Ivers", "Lo", "Ward", "Cho", "Ørsted", "Dubois", "Nakamura", "Smith", "Fox"};
    std::vector<std::string> names;
    std::vector<std::string> numbers;
    for (int i = 0; i < 5000; ++i) {
        names.push_back(std::string(firsts[i % 10]) + " " + lasts[(i / 10) % 10] + " " + std::to_string(i / 100));
        numbers.push_back(std::to_string(1000 + i));
    }
    std::vector<orlo::contest::NameAndNumber> entries;
    for (int i = 0; i < 5000; ++i)
        entries.push_back({names[i], numbers[i]});

    double slowest = 0;
    for (const std::string typed : {"1017", "oka", "hal ivers", "ørsted", "zzz"}) {
        for (std::size_t keys = 1; keys <= typed.size(); ++keys) {
            // The best of five: the machine's other work is left out of the figure.
            double ms = 1e9;
            std::size_t found = 0;
            for (int run = 0; run < 5; ++run) {
                const auto start = Clock::now();
                found = orlo::contest::completions(entries, typed.substr(0, keys)).size();
                ms = std::min(ms, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            }
            slowest = std::max(slowest, ms);
            std::printf("%-10s %5zu found  %7.3f ms\n", typed.substr(0, keys).c_str(), found, ms);
        }
    }
    std::printf("slowest key over %zu entries: %.3f ms\n", entries.size(), slowest);
    return 0;
}
