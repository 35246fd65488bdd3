#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlo::contest {

// A score as the sheet shows it, held in millionths so that comparing and
// adding scores is exact; decimals remembers how many the text showed, so a
// sum is written with the decimals of its parts.
class Decimal {
public:
    Decimal() = default;
    // "312.5", "-3.0", "0"; none for a text that is not such a number.
    static std::optional<Decimal> read(std::string_view text);
    // As read, a text that is no such number taken for 0.
    static Decimal parse(std::string_view text) { return read(text).value_or(Decimal()); }

    // value / 1,000,000, shown with the decimals given.
    static Decimal ofMillionths(std::int64_t value, int decimals);

    std::string text() const;
    int decimals() const { return m_decimals; }
    std::int64_t millionths() const { return m_millionths; }
    // The same value shown with more decimals, or rounded half away from zero to fewer.
    Decimal withDecimals(int decimals) const;
    Decimal operator+(const Decimal &other) const;
    std::strong_ordering operator<=>(const Decimal &other) const { return m_millionths <=> other.m_millionths; }
    bool operator==(const Decimal &other) const { return m_millionths == other.m_millionths; }

private:
    std::int64_t m_millionths = 0;
    int m_decimals = 0;
};

} // namespace orlo::contest
