#include "journal_filler.h"

#include "journal_merge.h"
#include "journal_schema.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

// merge_bench [FOLDER]: another scoring table's 10,000 flights merged into a
// journal of 100,000, the time of the merge printed (goal: under 2 s).
int main(int argc, char *argv[])
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(argc > 1 ? argv[1] : "merge-bench") / std::to_string(getpid());
    fs::create_directories(folder);
    const std::string here = (folder / "here.sqlite").string(), other = (folder / "other.sqlite").string();
    if (!orlo::bench::fillJournal(here, 100000) || !orlo::bench::fillJournal(other, 10000)) {
        std::fprintf(stderr, "merge_bench: the journals could not be filled in %s\n", folder.c_str());
        return 1;
    }
    int status = 0;
    try {
        const auto start = std::chrono::steady_clock::now();
        const orlo::journal::MergeReport report = orlo::journal::mergeJournal(here, other);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("Merged %d flights (%d entries) into a journal of 100000 in %.2f s (goal: under 2 s).\n",
                    report.flightsAdded, report.entriesAdded, took.count());
        status = took.count() < 2.0 ? 0 : 1;
    } catch (const orlo::journal::JournalProblem &problem) {
        std::fprintf(stderr, "merge_bench: %s\n", problem.what());
        status = 1;
    }
    fs::remove_all(folder);
    return status;
}
