#include "decimal.h"

#include <algorithm>
#include <cstdlib>

namespace orlo::contest {

namespace {

constexpr int maxDecimals = 6;
// Room for every score a sheet can show, and for the sum of thousands of them.
constexpr std::int64_t maxWhole = 1'000'000'000;

} // namespace

std::optional<Decimal> Decimal::read(std::string_view text)
{
    Decimal value;
    std::size_t at = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        at = 1;
    }
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int decimals = 0;
    bool digits = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        digits = true;
        if (!point) {
            whole = whole * 10 + (c - '0');
            if (whole >= maxWhole)
                return std::nullopt;
        } else if (decimals < maxDecimals) {
            fraction = fraction * 10 + (c - '0');
            ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    for (int d = decimals; d < maxDecimals; ++d)
        fraction *= 10;
    value.m_millionths = whole * 1'000'000 + fraction;
    if (negative)
        value.m_millionths = -value.m_millionths;
    value.m_decimals = decimals;
    return value;
}

std::string Decimal::text() const
{
    const std::int64_t magnitude = m_millionths < 0 ? -m_millionths : m_millionths;
    std::string out = m_millionths < 0 ? "-" : "";
    out += std::to_string(magnitude / 1'000'000);
    if (m_decimals > 0) {
        std::string fraction = std::to_string(magnitude % 1'000'000);
        fraction.insert(0, maxDecimals - fraction.size(), '0');
        out += '.';
        out += fraction.substr(0, m_decimals);
    }
    return out;
}

Decimal Decimal::ofMillionths(std::int64_t value, int decimals)
{
    Decimal made;
    made.m_millionths = value;
    made.m_decimals = std::clamp(decimals, 0, maxDecimals);
    return made;
}

Decimal Decimal::withDecimals(int decimals) const
{
    decimals = std::clamp(decimals, 0, maxDecimals);
    std::int64_t step = 1;
    for (int d = decimals; d < maxDecimals; ++d)
        step *= 10;
    const std::int64_t magnitude = (m_millionths < 0 ? -m_millionths : m_millionths) + step / 2;
    const std::int64_t rounded = magnitude - magnitude % step;
    return ofMillionths(m_millionths < 0 ? -rounded : rounded, decimals);
}

Decimal Decimal::operator+(const Decimal &other) const
{
    Decimal sum;
    sum.m_millionths = m_millionths + other.m_millionths;
    sum.m_decimals = std::max(m_decimals, other.m_decimals);
    return sum;
}

} // namespace orlo::contest
