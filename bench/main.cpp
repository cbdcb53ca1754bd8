// Figures of the number draw, one line each:
//   refresh tickets=N ours_ms=… plain_ms=… speedup=…
//   refresh-naive tickets=N ms=…   (the plain way, but into the window's own box)
//   draw clock=real|counter ns_per_ticket=…
//   rss_mb=… refreshes=R tickets=10000
// With the argument scale, refreshes far above the usual counts, to see where the box stops being
// usable.

#include "bench/draw_bench.h"
#include "bench/refresh_bench.h"
#include "window/fonts.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

using namespace vintrale;
using namespace vintrale::bench;

namespace {

constexpr int oursRuns = 21;

// The plain way takes seconds per refresh at the largest count; a few runs give its median.
int plainRunsFor(std::int32_t count) {
    return count >= 100'000 ? 5 : oursRuns;
}

void printMemory(RefreshBench& bench) {
    // First, in a fresh process, so no earlier figure's larger documents sit in the heap.
    bench.refreshTimes(10'000, 100);
    std::printf("rss_mb=%.1f refreshes=100 tickets=10000\n", residentMegabytes());
    std::fflush(stdout);
    bench.refreshTimes(10'000, 200);
    std::printf("rss_mb=%.1f refreshes=300 tickets=10000\n", residentMegabytes());
    std::fflush(stdout);
}

void printRefreshes(RefreshBench& bench) {
    for (const std::int32_t count : {5, 1'000, 10'000, 100'000}) {
        const double ours = bench.oursMilliseconds(count, oursRuns);
        const double plain = bench.plainMilliseconds(count, plainRunsFor(count));
        std::printf("refresh tickets=%d ours_ms=%.2f plain_ms=%.2f speedup=%.1f\n", count, ours,
                    plain, plain / ours);
        std::printf("refresh-naive tickets=%d ms=%.2f\n", count,
                    bench.naiveOursMilliseconds(count, oursRuns));
        std::fflush(stdout);
    }
}

void printDraws() {
    std::printf("draw clock=real ns_per_ticket=%.1f\n", drawNanosecondsPerTicket(DrawClock::real));
    std::printf("draw clock=counter ns_per_ticket=%.1f\n",
                drawNanosecondsPerTicket(DrawClock::counter));
    std::fflush(stdout);
}

void printScale(RefreshBench& bench) {
    for (const std::int32_t count :
         {100'000, 200'000, 500'000, 1'000'000, 2'000'000, 5'000'000, 10'000'000}) {
        const double ours = bench.beyondCeilingMilliseconds(count, 5);
        std::printf("scale tickets=%d ours_ms=%.1f rss_mb=%.1f\n", count, ours,
                    residentMegabytes());
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    // The figures are the box's own work, not a display server's: offscreen unless told.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    registerFontSubstitutes();
    RefreshBench bench;

    // One part alone when named (memory, refresh, draw, scale); all but scale otherwise.
    const char* only = argc > 1 ? argv[1] : "";
    auto wanted = [only](const char* part) {
        return only[0] == '\0' || std::strcmp(only, part) == 0;
    };
    if (std::strcmp(only, "scale") == 0) {
        printScale(bench);
        return 0;
    }
    if (wanted("memory")) {
        printMemory(bench);
    }
    if (wanted("refresh")) {
        printRefreshes(bench);
    }
    if (wanted("draw")) {
        printDraws();
    }
    std::fprintf(stderr, "box paints seen: %d\n", bench.paintsSeen());
    return 0;
}
