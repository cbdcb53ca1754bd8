#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace vintrale::bench {

using Stopwatch = std::chrono::steady_clock;

inline double millisecondsSince(Stopwatch::time_point start) {
    return std::chrono::duration<double, std::milli>(Stopwatch::now() - start).count();
}

// The median rather than the mean: one refresh that a parallel build happened to interrupt
// should not move the figure.
inline double median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0.0;
    }
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

} // namespace vintrale::bench
