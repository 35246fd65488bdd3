#pragma once

#include <string>
#include <vector>

namespace orlo::journal {

class Database;

// The current contest as a journal holds it, without its flights: what a
// new journal at the name of one moved or removed while recording starts
// with, so that the next flight keeps its contest and its contestant, and
// merging the two journals later makes one contest of them.
struct CarriedContest {
    std::string name; // as the contest row holds it; empty when never named
    // Each table's rows of the contest as their texts, the contest's own
    // columns first: its identifier, name and days.
    std::vector<std::vector<std::string>> contest, entries, rules, combinations, trail;
};

// Read from the journal a recording connection still holds open, in one
// snapshot. Throws DatabaseError.
CarriedContest carriedContest(const Database &db);

// Writes the contest into a journal that holds nothing yet (a contest never
// named, without days, entries, rules or flights), in one transaction: the
// same identifier, and each entry under its own id, which the recording
// connection names the contestant now flying by. False, with nothing
// written, when the journal holds anything. Throws DatabaseError.
bool startWith(const Database &db, const CarriedContest &carried);

} // namespace orlo::journal
