#pragma once

#include <cstdint>

namespace vintrale {

// Milliseconds since the system started, suspend included, wrapping after 2^32 ms. The one and
// only place the program reads this clock.
std::uint32_t millisecondsSinceBoot();

} // namespace vintrale
