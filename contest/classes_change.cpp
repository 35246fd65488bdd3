#include "classes_change.h"

#include "contestant_names.h"

#include <algorithm>

namespace orlo::contest {

namespace {

bool holds(const std::vector<std::string> &classes, std::string_view caption)
{
    return std::any_of(classes.begin(), classes.end(),
                       [&](const std::string &listed) { return sameName(listed, caption); });
}

std::string joined(const std::vector<std::string> &parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

} // namespace

std::vector<std::string> ClassesChange::classesAfter(const std::vector<std::string> &listed) const
{
    std::vector<std::string> after;
    for (const std::string &caption : listed)
        if (!holds(removed, caption))
            after.push_back(caption);
    after.insert(after.end(), added.begin(), added.end());
    return after;
}

ClassesChange classesChange(std::string name, const std::vector<std::string> &listed,
                            const std::vector<std::string> &read,
                            const std::function<int(std::string_view caption)> &flightsIn)
{
    ClassesChange change{std::move(name), {}, {}, {}};
    if (read.empty())
        return change;
    for (const std::string &caption : read)
        if (!holds(listed, caption) && !holds(change.added, caption))
            change.added.push_back(caption);
    for (const std::string &caption : listed) {
        if (holds(read, caption))
            continue;
        if (const int flights = flightsIn(caption); flights > 0)
            change.kept.push_back({caption, flights});
        else
            change.removed.push_back(caption);
    }
    return change;
}

std::string classesChangeSaid(const ClassesChange &change)
{
    std::string said = change.name + ":";
    if (!change.added.empty())
        said += " " + joined(change.added) + " added";
    if (!change.removed.empty())
        said += std::string(change.added.empty() ? " " : ", ") + joined(change.removed) + " removed";
    for (std::size_t i = 0; i < change.kept.size(); ++i) {
        const ClassesChange::Kept &kept = change.kept[i];
        said += std::string(said.back() == ':' ? " " : "; ") + kept.caption + " stays, "
                + (kept.flights == 1 ? std::string("1 flight counts") : std::to_string(kept.flights) + " flights count")
                + " in it";
    }
    return said;
}

std::vector<ClassesChange> classesChanges(const std::vector<NewEntry> &read, const std::vector<Entry> &listed,
                                          const std::vector<ScoredFlight> &flights)
{
    std::vector<ClassesChange> changes;
    for (const NewEntry &entry : read) {
        const std::string number = tidyName(entry.number);
        const auto byNumber = std::find_if(listed.begin(), listed.end(), [&](const Entry &other) {
            return !number.empty() && other.number == number;
        });
        const auto match = byNumber != listed.end()
                               ? byNumber
                               : std::find_if(listed.begin(), listed.end(),
                                              [&](const Entry &other) { return sameName(other.name, entry.name); });
        // A number of another name, or a name listed with another number, is
        // refused by the import itself.
        if (match == listed.end() || !sameName(match->name, entry.name)
            || (!number.empty() && !match->number.empty() && match->number != number))
            continue;
        const auto flightsIn = [&](std::string_view caption) {
            return int(std::count_if(flights.begin(), flights.end(), [&](const ScoredFlight &flight) {
                return flight.entry == match->id && flight.status != FlightStatus::Void
                       && sameName(flight.classCaption, caption);
            }));
        };
        if (ClassesChange change = classesChange(match->name, match->classes, entry.classes, flightsIn); !change.empty())
            changes.push_back(std::move(change));
    }
    return changes;
}

} // namespace orlo::contest
