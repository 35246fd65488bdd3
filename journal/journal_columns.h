#pragma once

#include "calculation_fields.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orlo::journal {

class Database;

// The journal's columns of a calculation, "recorded_at, class_caption, ...,
// summary": the time, every field of calculationFields and the summary.
inline const std::string &calculationColumns()
{
    static const std::string columns = [] {
        std::string list = "recorded_at";
        for (const CalculationField &field : calculationFields)
            (list += ", ") += field.column;
        return list + ", summary";
    }();
    return columns;
}

// How many columns calculationColumns() names.
inline constexpr int calculationColumnCount = static_cast<int>(calculationFields.size()) + 2;

// The summary lines in one column: joined by line feeds, with a backslash
// escaping a line feed or backslash inside a line, so every line comes back
// exactly as shown.
std::string summaryColumn(const std::vector<std::string> &lines);

// Writes one calculation of the flight, recorded at recordedAt, in the
// caller's transaction, and makes it the flight's last. Returns its id.
std::int64_t insertCalculation(const Database &db, std::int64_t flight, const CalculationRecord &values,
                               const std::string &recordedAt);

} // namespace orlo::journal
