#include "merge_order.h"

#include "database.h"
#include "flight_order_store.h"

#include <algorithm>

namespace orlo::journal {

void mergeFlightOrder(const Database &here, const Database &other, const std::map<std::int64_t, std::int64_t> &contests,
                      const std::map<std::int64_t, std::int64_t> &entries, MergeReport &report)
{
    auto entryHere = [&](std::int64_t theirs) {
        const auto found = entries.find(theirs);
        return found == entries.end() ? std::int64_t(0) : found->second;
    };
    for (const auto &[theirs, mine] : contests) {
        const contest::FlyingOrder incoming = readFlightOrder(other, theirs);
        contest::FlyingOrder kept = readFlightOrder(here, mine);
        const bool keptHere = Statement(here, "SELECT 1 FROM order_setting WHERE contest = ?1").bind(1, mine).step();
        const bool keptThere = Statement(other, "SELECT 1 FROM order_setting WHERE contest = ?1").bind(1, theirs).step();
        if (keptThere && !keptHere)
            kept.minDistance = incoming.minDistance;
        bool changed = keptThere && !keptHere;
        for (contest::ClassOrder order : incoming.classes) {
            std::vector<std::int64_t> mapped;
            for (std::int64_t entry : order.entries)
                if (const std::int64_t id = entryHere(entry))
                    mapped.push_back(id);
            order.entries = mapped;
            const auto same = std::find_if(kept.classes.begin(), kept.classes.end(),
                                           [&](const contest::ClassOrder &mineOrder) { return mineOrder.caption == order.caption; });
            if (same == kept.classes.end()) {
                kept.classes.push_back(order);
                changed = true;
            } else if (*same != order) {
                report.conflicts.push_back("The order of flying of " + order.caption
                                           + " differs in the two tables; it stays as this table has it.");
            }
        }
        if (changed)
            writeFlightOrder(here, mine, kept);

        Statement again(other, "SELECT entry, caption, after_flights FROM call_again WHERE contest = ?1 ORDER BY id");
        again.bind(1, theirs);
        while (again.step()) {
            const std::int64_t entry = entryHere(again.integer(0));
            if (entry == 0)
                continue;
            Statement there(here, "SELECT 1 FROM call_again WHERE contest = ?1 AND entry = ?2 AND caption = ?3 "
                                  "AND after_flights = ?4");
            if (there.bind(1, mine).bind(2, entry).bind(3, again.text(1)).bind(4, again.integer(2)).step())
                continue;
            Statement(here, "INSERT INTO call_again (contest, entry, caption, after_flights) VALUES (?1, ?2, ?3, ?4)")
                .bind(1, mine)
                .bind(2, entry)
                .bind(3, again.text(1))
                .bind(4, again.integer(2))
                .run();
        }
    }
    // Withdrawn in either table: the pilot left the contest.
    Statement withdrawn(other, "SELECT id FROM entry WHERE withdrawn <> 0");
    while (withdrawn.step())
        if (const std::int64_t entry = entryHere(withdrawn.integer(0)))
            Statement(here, "UPDATE entry SET withdrawn = 1 WHERE id = ?1").bind(1, entry).run();
}

} // namespace orlo::journal
