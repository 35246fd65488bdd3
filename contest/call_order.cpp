#include "call_order.h"

#include <algorithm>
#include <map>
#include <optional>

namespace orlo::contest {

namespace {

struct Placing {
    std::vector<std::size_t> order; // complete when it holds every call
    std::vector<std::int64_t> stuck; // the pilots that could not be placed when it did not
};

// Places the calls one position after another, each pilot at least need[p]
// after its previous call. mostLeftFirst: among the pilots free to fly, the
// one with most calls left goes first (the search that finds a spacing
// whenever one exists in the usual cases); otherwise the preferred order goes
// first, and a pilot goes early only when the positions left would not hold
// its calls at its distance.
Placing placeCalls(const std::vector<std::int64_t> &pilots, const std::map<std::int64_t, int> &need, bool mostLeftFirst)
{
    const std::size_t total = pilots.size();
    std::map<std::int64_t, int> left;
    std::map<std::int64_t, std::size_t> last;
    for (std::int64_t pilot : pilots)
        ++left[pilot];
    std::vector<bool> taken(total, false);
    Placing attempt;
    for (std::size_t position = 0; position < total; ++position) {
        const std::size_t positionsLeft = total - position;
        auto free = [&](std::int64_t pilot) {
            const auto previous = last.find(pilot);
            return previous == last.end() || int(position - previous->second) >= need.at(pilot);
        };
        std::optional<std::size_t> chosen;
        for (std::size_t i = 0; i < total; ++i) {
            if (taken[i] || !free(pilots[i]))
                continue;
            const std::int64_t pilot = pilots[i];
            if (!chosen)
                chosen = i;
            const std::size_t room = std::size_t(left[pilot] - 1) * std::size_t(need.at(pilot)) + 1;
            const bool pressed = room >= positionsLeft;
            if (pressed && left[pilot] > 1) {
                chosen = i;
                break;
            }
            if (mostLeftFirst && left[pilot] > left[pilots[*chosen]])
                chosen = i;
        }
        if (!chosen) {
            int most = 0;
            for (std::size_t i = 0; i < total; ++i)
                if (!taken[i])
                    most = std::max(most, left[pilots[i]]);
            for (std::size_t i = 0; i < total; ++i)
                if (!taken[i] && left[pilots[i]] == most
                    && std::find(attempt.stuck.begin(), attempt.stuck.end(), pilots[i]) == attempt.stuck.end())
                    attempt.stuck.push_back(pilots[i]);
            return attempt;
        }
        taken[*chosen] = true;
        attempt.order.push_back(*chosen);
        last[pilots[*chosen]] = position;
        --left[pilots[*chosen]];
    }
    return attempt;
}

} // namespace

std::vector<std::size_t> arrangeCalls(const std::vector<std::int64_t> &pilots, int distance)
{
    std::map<std::int64_t, int> calls, need;
    for (std::int64_t pilot : pilots)
        ++calls[pilot];
    // Nobody called twice: the preferred order keeps everyone apart as it is,
    // where placing would look at every call for every position.
    if (calls.size() == pilots.size()) {
        std::vector<std::size_t> asPreferred(pilots.size());
        for (std::size_t i = 0; i < pilots.size(); ++i)
            asPreferred[i] = i;
        return asPreferred;
    }
    // A pilot's calls can be no further apart than the round spread evenly allows.
    for (const auto &[pilot, count] : calls)
        need[pilot] = count < 2 ? 1 : std::max(1, std::min(distance, int(pilots.size() - 1) / (count - 1)));
    // Each failure brings the crowded pilots one flight closer: at a distance
    // of one every order places, so this ends.
    for (;;) {
        Placing attempt = placeCalls(pilots, need, false);
        if (attempt.order.size() == pilots.size())
            return attempt.order;
        Placing searched = placeCalls(pilots, need, true);
        if (searched.order.size() == pilots.size())
            return searched.order;
        bool lowered = false;
        for (std::int64_t pilot : attempt.stuck)
            if (need[pilot] > 1) {
                --need[pilot];
                lowered = true;
            }
        if (!lowered)
            for (auto &[pilot, pilotNeed] : need)
                pilotNeed = std::max(1, pilotNeed - 1);
    }
}

} // namespace orlo::contest
