#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlo::standings {

// A score as the sheet shows it, held in millionths so that comparing and
// adding scores is exact; decimals remembers how many the text showed, so a
// sum is written with the decimals of its parts.
class Decimal {
public:
    Decimal() = default;
    // "312.5", "-3.0", "0"; a text that is not such a number reads as 0.
    static Decimal parse(std::string_view text);

    std::string text() const;
    Decimal operator+(const Decimal &other) const;
    std::strong_ordering operator<=>(const Decimal &other) const { return m_millionths <=> other.m_millionths; }
    bool operator==(const Decimal &other) const { return m_millionths == other.m_millionths; }

private:
    std::int64_t m_millionths = 0;
    int m_decimals = 0;
};

} // namespace orlo::standings
