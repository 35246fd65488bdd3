#pragma once

#include <cstdint>
#include <vector>

namespace orlo::contest {

// The draw of a flight order: a shuffle of the entries from a seed. The
// numbers come from splitmix64 and the shuffle is Fisher–Yates, both written
// here, so the same seed draws the same order on every machine and with every
// standard library (std::shuffle and the distributions are each library's own).
class OrderDraw {
public:
    explicit OrderDraw(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // A number from 0 to bound - 1, without the bias of a plain remainder.
    std::uint64_t below(std::uint64_t bound);

private:
    std::uint64_t m_state;
};

// The entries in the order drawn from seed.
std::vector<std::int64_t> drawOrder(std::vector<std::int64_t> entries, std::uint64_t seed);

// A seed for a new draw, from the system's source of randomness; it is shown
// and kept so the draw can be made again.
std::uint64_t freshSeed();

} // namespace orlo::contest
