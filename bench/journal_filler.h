#pragma once

#include <string>

namespace orlo::bench {

// Fills the journal at path with flights as a contest season would leave
// them: several classes, a contestant to most, some flights scored more than
// once, spread over many days. One transaction, so 100,000 flights take
// seconds. Returns false when the journal cannot be written.
bool fillJournal(const std::string &path, int flights);

} // namespace orlo::bench
