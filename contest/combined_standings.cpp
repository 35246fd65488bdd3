#include "class_ranking.h"

#include "decimal.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace orlo::contest {

namespace {

struct Combined {
    CombinedStanding row;
    Decimal total;
    bool any = false;
};

} // namespace

CombinedStandings combine(const Combination &combination,
                          const std::vector<const ClassStandings *> &classes)
{
    std::map<std::int64_t, Combined> byEntry;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        for (const Standing &standing : classes[c]->rows) {
            if (standing.rank == 0)
                continue; // attempts only or still to fly: no counted score
            Combined &combined = byEntry[standing.entry];
            if (!combined.any) {
                combined.row.entry = standing.entry;
                combined.row.contestant = standing.contestant;
                combined.row.number = standing.number;
                combined.row.classScores.resize(classes.size());
            }
            const Decimal score = Decimal::parse(standing.score);
            combined.total = combined.any ? combined.total + score : score;
            combined.any = true;
            combined.row.classScores[c] = standing.score;
        }
    }
    std::vector<Combined *> rows;
    for (auto &[entry, combined] : byEntry) {
        combined.row.total = combined.total.text();
        for (std::size_t c = 0; c < classes.size(); ++c)
            if (combined.row.classScores[c].empty())
                combined.row.missing.push_back(combination.classes[c]);
        rows.push_back(&combined);
    }
    // The complete ones first, ranked by total; then those lacking fewest classes.
    std::sort(rows.begin(), rows.end(), [](const Combined *a, const Combined *b) {
        if (a->row.missing.size() != b->row.missing.size())
            return a->row.missing.size() < b->row.missing.size();
        if (a->total != b->total)
            return a->total > b->total;
        return std::tie(a->row.contestant, a->row.entry) < std::tie(b->row.contestant, b->row.entry);
    });
    CombinedStandings standings{combination, {}, {}};
    for (const ClassStandings *part : classes)
        if (part->waiting > 0)
            standings.waiting.push_back({part->rule.caption, part->waiting, part->firstWaitingAt});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CombinedStanding &row = rows[i]->row;
        if (row.missing.empty()) {
            const bool tied = i > 0 && rows[i - 1]->total == rows[i]->total;
            row.rank = tied ? standings.rows.back().rank : static_cast<int>(i) + 1;
            row.place = std::to_string(row.rank);
        }
        standings.rows.push_back(std::move(row));
    }
    return standings;
}

} // namespace orlo::contest
