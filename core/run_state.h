#pragma once

#include <cstdint>

namespace vintrale {

// Whether a draw run is active, and how many ticks a timed run has counted. One instance lives
// as long as the program; tests make fresh ones.
struct RunState {
    bool isIdle = false;
    std::int32_t tickCount = 0;
};

} // namespace vintrale
