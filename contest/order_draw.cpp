#include "order_draw.h"

#include <random>
#include <utility>

namespace orlo::contest {

std::uint64_t OrderDraw::next()
{
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t OrderDraw::below(std::uint64_t bound)
{
    // Numbers past the last whole multiple of bound are drawn again.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    std::uint64_t value = next();
    while (value >= limit)
        value = next();
    return value % bound;
}

std::vector<std::int64_t> drawOrder(std::vector<std::int64_t> entries, std::uint64_t seed)
{
    OrderDraw draw(seed);
    for (std::size_t i = entries.size(); i > 1; --i)
        std::swap(entries[i - 1], entries[draw.below(i)]);
    return entries;
}

std::uint64_t freshSeed()
{
    std::random_device device;
    // Six digits: short enough to read out and type again.
    return (std::uint64_t(device()) << 32 | device()) % 1000000;
}

} // namespace orlo::contest
