#include "journal_columns.h"

#include "database.h"
#include "sqlite_library.h"

namespace orlo::journal {

std::string summaryColumn(const std::vector<std::string> &lines)
{
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += '\n';
        for (const char c : lines[i]) {
            if (c == '\\' || c == '\n')
                joined += '\\';
            joined += c == '\n' ? 'n' : c;
        }
    }
    return joined;
}

std::int64_t insertCalculation(const Database &db, std::int64_t flight, const CalculationRecord &values,
                               const std::string &recordedAt)
{
    static const std::string insertSql = [] {
        std::string sql = "INSERT INTO calculation (flight, " + calculationColumns() + ", day) VALUES (?1";
        for (int position = 2; position <= calculationColumnCount + 2; ++position)
            sql += ", ?" + std::to_string(position);
        return sql + ")";
    }();
    Statement insert(db, insertSql);
    insert.bind(1, flight).bind(2, recordedAt);
    int position = 3;
    for (const FieldColumn &field : fieldColumns)
        insert.bind(position++, values.*field.text);
    insert.bind(position, summaryColumn(values.summary)).bind(position + 1, recordedAt.substr(0, 10));
    insert.run();
    const std::int64_t calculation = db.lastInsertedRow();
    static const std::string updateSql = "UPDATE flight SET last_calculation = ?1, calculation_count = calculation_count "
                                         "+ 1, flown_at = CASE WHEN calculation_count = 0 THEN "
        + momentSql("?3") + " ELSE flown_at END WHERE id = ?2";
    Statement(db, updateSql).bind(1, calculation).bind(2, flight).bind(3, recordedAt).run();
    return calculation;
}

} // namespace orlo::journal
