#pragma once

#include "flight_order.h"

namespace orlo::journal {

class JournalReader;

// The contest's rounds as called now, read through the reader: who flew,
// who is withdrawn, who is still to fly. Throws JournalProblem.
contest::CallList readCallList(const JournalReader &reader);

} // namespace orlo::journal
