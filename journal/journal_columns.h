#pragma once

#include "calculation_fields.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::journal {

class Database;

// A text of a calculation and the journal's column that keeps it.
struct FieldColumn {
    std::string CalculationRecord::*text;
    std::string_view column;
};

// The journal's column of every text of a calculation, in the order the
// journal writes and reads them.
inline constexpr std::array fieldColumns{
    FieldColumn{&CalculationRecord::classCaption, "class_caption"},
    FieldColumn{&CalculationRecord::highSpeedWatch1, "hs_watch_1"},
    FieldColumn{&CalculationRecord::highSpeedWatch2, "hs_watch_2"},
    FieldColumn{&CalculationRecord::highSpeedTime, "hs_time"},
    FieldColumn{&CalculationRecord::highSpeedMph, "hs_mph"},
    FieldColumn{&CalculationRecord::highSpeedPoints, "hs_points"},
    FieldColumn{&CalculationRecord::lowSpeedWatch1, "ls_watch_1"},
    FieldColumn{&CalculationRecord::lowSpeedWatch2, "ls_watch_2"},
    FieldColumn{&CalculationRecord::lowSpeedTime, "ls_time"},
    FieldColumn{&CalculationRecord::lowSpeedMph, "ls_mph"},
    FieldColumn{&CalculationRecord::lowSpeedPoints, "ls_points"},
    FieldColumn{&CalculationRecord::enginesEntered, "engines_entered"},
    FieldColumn{&CalculationRecord::enginesRunning, "engines_running"},
    FieldColumn{&CalculationRecord::scalePoints, "scale_points"},
    FieldColumn{&CalculationRecord::landingPoints, "landing_points"},
    FieldColumn{&CalculationRecord::engineBonus, "engine_bonus"},
    FieldColumn{&CalculationRecord::score, "score"},
};
static_assert(keepsEveryField(fieldColumns), "every text of a calculation needs a column in the journal");

// The journal's columns of a calculation, "recorded_at, class_caption, ...,
// summary": the time, every column of fieldColumns and the summary.
inline const std::string &calculationColumns()
{
    static const std::string columns = [] {
        std::string list = "recorded_at";
        for (const FieldColumn &field : fieldColumns)
            (list += ", ") += field.column;
        return list + ", summary";
    }();
    return columns;
}

// SQL for the seconds since 1970 in UTC of the time text is, as the journal
// keeps times ("2026-07-01T05:01:00+02:00", or "+0200" as early versions
// wrote it); 0 when it is none. Flights recorded at two tables, or across a
// change of offset, are put in the order flown by it.
inline std::string momentSql(const std::string &text)
{
    const std::string colon = "(CASE WHEN length(" + text + ") = 24 THEN substr(" + text + ", 1, 22) || ':' || substr("
        + text + ", 23) ELSE " + text + " END)";
    return "coalesce(CAST(strftime('%s', " + colon + ") AS INTEGER), 0)";
}

// How many columns calculationColumns() names.
inline constexpr int calculationColumnCount = static_cast<int>(fieldColumns.size()) + 2;

// The summary lines in one column: joined by line feeds, with a backslash
// escaping a line feed or backslash inside a line, so every line comes back
// exactly as shown.
std::string summaryColumn(const std::vector<std::string> &lines);

// Writes one calculation of the flight, recorded at recordedAt, in the
// caller's transaction, and makes it the flight's last. Returns its id.
std::int64_t insertCalculation(const Database &db, std::int64_t flight, const CalculationRecord &values,
                               const std::string &recordedAt);

} // namespace orlo::journal
