#include "contest_journal.h"
#include "registration_file.h"
#include "flight_journal.h"

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

// import_bench: a registration file imported into the entry list, as "Import
// CSV…" and --import-entries do: 5,000 rows into a list of 20,000, then
// 1,000,000 rows into an empty list. Meanwhile another thread presses
// "Calc. Score" on the same journal every 50 ms; the longest a press waited
// before it was in the file is printed beside the import's time and the
// program's peak memory. Asserts nothing.

namespace {

using Clock = std::chrono::steady_clock;
using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

std::string registrationFile(int first, int rows)
{
    std::string file = "Name,Number,Classes\n";
    for (int i = first; i < first + rows; ++i)
        file += "Pilot " + std::to_string(i) + " Okafor," + std::to_string(100000 + i) + ",Class I/Profile\n";
    return file;
}

// What the presses meanwhile saw.
struct PressWaits {
    std::atomic<int> count = 0;
    std::atomic<double> longestMs = 0;
};

// Presses until destroyed, each written before the next.
class Presses {
public:
    Presses(const std::string &journal, PressWaits &waits)
        : m_thread([this, journal, &waits] {
              FlightJournal flights(journal);
              orlo::CalculationRecord press;
              press.classCaption = "Class I";
              press.score = "280.8";
              press.summary = {"Class I", "280.8 Total Score"};
              while (!m_stop) {
                  // Each press another score: the same calculation twice is recorded once.
                  press.score = std::to_string(200 + waits.count.load()) + ".0";
                  const auto start = Clock::now();
                  flights.calculated(press);
                  while (flights.waitingCalculations() > 0) {
                      std::this_thread::sleep_for(std::chrono::milliseconds(5));
                      flights.writeWaiting();
                  }
                  waits.longestMs = std::max(waits.longestMs.load(), msSince(start));
                  ++waits.count;
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
          })
    {
    }
    ~Presses()
    {
        m_stop = true;
        m_thread.join();
    }
    Presses(const Presses &) = delete;
    Presses &operator=(const Presses &) = delete;

private:
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

void import(ContestJournal &contest, const std::string &journal, const std::string &file, const char *what)
{
    PressWaits waits;
    double readMs = 0;
    double writeMs = 0;
    std::size_t problems = 0;
    int added = 0;
    {
        const Presses presses(journal, waits);
        const auto start = Clock::now();
        const Registration read = readRegistration(file);
        readMs = msSince(start);
        const auto writeStart = Clock::now();
        const ImportOutcome outcome = contest.importEntries(read.rows);
        writeMs = msSince(writeStart);
        problems = read.problems.size() + outcome.problems.size();
        added = outcome.added;
        // A press or two after the import, so that one waiting on it is counted.
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }
    std::printf("%s: %d added, %zu problems; read and checked %.0f ms, written %.0f ms (the write lock held), "
                "%.0f ms in all; peak memory %ld MB\n"
                "  %d presses meanwhile; the longest waited %.1f ms before it was in the file\n",
                what, added, problems, readMs, writeMs, readMs + writeMs, peakMegabytes(), waits.count.load(),
                waits.longestMs.load());
}

} // namespace

int main()
{
    char pattern[] = "/tmp/import_bench-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::filesystem::path folder = pattern;
    {
        const std::string journal = (folder / "list.sqlite").string();
        ContestJournal contest(journal);
        contest.add({"Hal Ivers", "12", {}});
        import(contest, journal, registrationFile(0, 20000), "20,000 rows into an empty list");
        import(contest, journal, registrationFile(20000, 5000), "5,000 rows into a list of 20,000");
    }
    {
        const std::string journal = (folder / "million.sqlite").string();
        ContestJournal contest(journal);
        contest.add({"Hal Ivers", "12", {}});
        import(contest, journal, registrationFile(0, 1000000), "1,000,000 rows into an empty list");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
