#include "call_list_model.h"

namespace orlo::contest {

std::vector<ResultTable> callListTables(const CallList &list, const std::string &caption, int round)
{
    bool severalCircles = false;
    for (const CircleRound &each : list.rounds)
        severalCircles = severalCircles || each.circle != list.rounds.front().circle;
    std::vector<ResultTable> tables;
    for (const CircleRound &each : list.rounds) {
        if (round != 0 && each.round != round)
            continue;
        ResultTable table;
        table.title = "Round " + std::to_string(each.round) + (severalCircles ? ", circle " + each.circle : "");
        table.columns = {
            {"Order", "Order", true},
            {"Contestant", "Contestant"},
            {"Number", "Number"},
            {"Class", "Class"},
            {"Flight", "Flight", true},
            // A box the caller ticks on the pit board; the file says what the journal knows.
            {"Flown", "Flown", false, ShownIn::Sheets},
            {"Flown", "Flown", false, ShownIn::Files},
        };
        int order = 0;
        for (const Call &call : each.calls) {
            if (!caption.empty() && call.caption != caption)
                continue;
            ResultRow row;
            row.cells = {{std::to_string(++order), ValueKind::Number},
                         {call.contestant},
                         {call.number},
                         {call.caption},
                         {std::to_string(call.flight), ValueKind::Number},
                         {call.flown ? "\u2611" : "\u2610"},
                         {call.flown ? "yes" : "no"}};
            table.rows.push_back(std::move(row));
        }
        if (!table.rows.empty())
            tables.push_back(std::move(table));
    }
    return tables;
}

} // namespace orlo::contest
