#pragma once

#include <functional>
#include <string>

namespace orlo::bench {

// Fills the journal at path with flights as a contest season would leave
// them: several classes, a contestant to most, some flights scored more than
// once, spread over many days. One transaction, so 100,000 flights take
// seconds. Returns false when the journal cannot be written.
bool fillJournal(const std::string &path, int flights);

// A season of contests one after another, a fortnight apart, each of
// flightsEach flights filled as above; the first is the journal's own
// contest, as fillJournal leaves it, and the last is current.
bool fillSeason(const std::string &path, int contests, int flightsEach);

// What a piece of work took: by the clock, and of this thread's core time,
// which on a busy machine leaves out the other programs' turns.
struct Took {
    double ms = 1e9;
    double coreMs = 1e9;
};
// Times work, keeping in best the least of each figure so far.
void timeBest(Took &best, const std::function<void()> &work);

// The journals a season's figures compare, in folder: one contest of
// flightsEach flights alone, and a season of contests of as many, in which
// the contest read is the last (started last, current) or the first (made
// current again, its flights the oldest of all).
class SeasonJournals {
public:
    SeasonJournals(const std::string &folder, int contests, int flightsEach);
    bool filled() const { return m_filled; }

    // Prints what the time of the same work on each journal came to, and its
    // ratio to the one contest alone by core time, as one line:
    // "Standings, first read: 1 contest of 5000 flights 41.0 ms (12.0 ms of a
    // core); 20 contests x 5000 flights, the last current 43.0 ms (12.6 ms of
    // a core, 1.05), the first current …". time answers what its work on the
    // journal at a path took.
    void compare(const char *what, const std::function<Took(const std::string &path)> &time) const;

private:
    std::string m_one, m_season;
    int m_contests, m_flightsEach;
    bool m_filled = false;
};

} // namespace orlo::bench
