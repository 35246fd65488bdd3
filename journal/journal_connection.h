#pragma once

#include "database.h"

#include <string>

namespace orlo::journal {

// Reading has no press waiting on it.
inline constexpr int readingBusyTimeoutMs = 5000;

// A connection that reads the journal at path and never writes it, nor
// writes or removes its log, nor makes anything beside it. Throws
// DatabaseError and JournalProblem.
Database openReadingConnection(const std::string &path);

} // namespace orlo::journal
