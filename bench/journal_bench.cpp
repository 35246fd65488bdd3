#include "headless_sheet.h"
#include "journal_filler.h"

#include "flight_journal.h"
#include "journal_reader.h"
#include "journal_words.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// Journals go where ORLO_BENCH_FOLDER says, else into a folder in the current
// one: a journal lives on a disk, and a tmpfs would hide the cost of syncing.
std::filesystem::path benchFolder()
{
    const char *chosen = std::getenv("ORLO_BENCH_FOLDER");
    std::filesystem::path folder = chosen ? chosen : "journal-bench";
    folder /= std::to_string(getpid());
    std::filesystem::create_directories(folder);
    return folder;
}

// A press of "Calc. Score" that changes the landing points first, so that
// each press is a new calculation the journal records. Recorded, its time is
// mostly the disk's: every calculation is synced before the press returns.
void pressCalcScore(benchmark::State &state, FlightObserver *observer)
{
    HeadlessSheet sheet;
    sheet.rules().setObserver(observer);
    sheet.start();
    sheet.type(HS_Watch(0), "12.3");
    sheet.type(LS_Watch(0), "25");
    sheet.tab();
    int landing = 0;
    for (auto _ : state) {
        sheet.setText(LandingPts, std::to_string(landing));
        landing = (landing + 5) % 105;
        sheet.click(Command2);
    }
}

void BM_CalcScoreWithoutJournal(benchmark::State &state)
{
    pressCalcScore(state, nullptr);
}
BENCHMARK(BM_CalcScoreWithoutJournal)->Unit(benchmark::kMillisecond);

void BM_CalcScoreRecorded(benchmark::State &state)
{
    const auto folder = benchFolder();
    journal::FlightJournal journal((folder / "journal.sqlite").string());
    if (!journal.open())
        state.SkipWithError(orlo::journalSentence(journal.problem()).c_str());
    pressCalcScore(state, &journal);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CalcScoreRecorded)->Unit(benchmark::kMillisecond);

// The flights of a season, listed as the flights window asks for them.
void BM_ListFlights(benchmark::State &state)
{
    const auto folder = benchFolder();
    const std::string path = (folder / "journal.sqlite").string();
    bench::fillJournal(path, static_cast<int>(state.range(0)));
    const journal::JournalReader journal(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(journal.flights());
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ListFlights)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// What the flights window needs to open on a season: the count and the first page.
void BM_FirstPageOfFlights(benchmark::State &state)
{
    const auto folder = benchFolder();
    const std::string path = (folder / "journal.sqlite").string();
    bench::fillJournal(path, static_cast<int>(state.range(0)));
    const journal::JournalReader journal(path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(journal.flightCount());
        benchmark::DoNotOptimize(journal.flights({}, 0, 100));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FirstPageOfFlights)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
