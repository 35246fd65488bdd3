#pragma once

#include "flight_order.h"

#include <cstdint>

namespace orlo::journal {

class Database;

// The contest's order of flying as kept: each class's method, seed, list
// drawn or placed by hand and circle, the distance kept between a pilot's
// flights, and the flights called again. Nothing kept reads as every class
// as entered, three apart.
template <class Connection>
contest::FlyingOrder readFlightOrder(const Connection &db, std::int64_t contest);
// Replaces the classes' orders and the distance kept; the flights called
// again stay as they are. In the caller's transaction.
void writeFlightOrder(const Database &db, std::int64_t contest, const contest::FlyingOrder &order);

} // namespace orlo::journal
