#include "bench/draw_bench.h"

#include "bench/bench_clock.h"
#include "draw/random_source.h"
#include "draw/ticket_draw.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace vintrale::bench {

namespace {

constexpr int ticketsPerPass = 1'000'000;
constexpr int passes = 5;

// Stands in for the clock at the cost of an increment, so the figure shows the draw's own work.
std::uint32_t countingClock(void* context) {
    auto* counter = static_cast<std::uint32_t*>(context);
    return ++*counter;
}

} // namespace

double drawNanosecondsPerTicket(DrawClock clock) {
    std::uint32_t counter = 0;
    RandomSource random =
        clock == DrawClock::real ? RandomSource() : RandomSource(&countingClock, &counter);
    std::vector<double> samples;
    // Summed and printed, so the compiler cannot drop the tickets as unused.
    std::uint64_t checksum = 0;
    for (int pass = 0; pass < passes; ++pass) {
        const auto start = Stopwatch::now();
        for (int ticket = 0; ticket < ticketsPerPass; ++ticket) {
            const RedPart red = drawRedPart(random);
            const BluePart blue = drawBlueNumber(random);
            checksum += static_cast<std::uint64_t>(red.text[0] + red.text[16] + blue.text[2]);
        }
        samples.push_back(millisecondsSince(start) * 1e6 / ticketsPerPass);
    }
    std::fprintf(stderr, "draw checksum %llu\n", static_cast<unsigned long long>(checksum));
    return median(samples);
}

} // namespace vintrale::bench
