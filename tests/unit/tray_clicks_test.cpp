#include "core/tray_clicks.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace vintrale {
namespace {

constexpr std::int64_t interval = 400;
constexpr auto T = TrayActivation::trigger;
constexpr auto D = TrayActivation::doubleClick;
constexpr auto C = TrayActivation::context;
constexpr auto M = TrayActivation::other;

struct Click {
    TrayActivation activation;
    std::int64_t atMs;
    std::vector<int> expected;
};

struct ClickCase {
    const char* what;
    std::vector<Click> clicks;
};

TEST(TrayClickPairing, EveryKindOfAreaTogglesOncePerDoubleClick) {
    const ClickCase cases[] = {
        {"single click", {{T, 0, {1}}}},
        {"double-click reported by the area", {{T, 0, {1}}, {D, 120, {2}}}},
        {"double-click as two triggers", {{T, 1000, {1}}, {T, 1150, {1, 2}}}},
        {"two slow clicks", {{T, 0, {1}}, {T, 900, {1}}}},
        {"second trigger right at the interval", {{T, 0, {1}}, {T, 400, {1, 2}}}},
        {"second trigger just past the interval", {{T, 0, {1}}, {T, 401, {1}}}},
        {"triple click as triggers", {{T, 0, {1}}, {T, 100, {1, 2}}, {T, 200, {1}}}},
        {"two double-clicks as triggers",
         {{T, 0, {1}}, {T, 100, {1, 2}}, {T, 200, {1}}, {T, 300, {1, 2}}}},
        {"reported double-click after one made from triggers",
         {{T, 0, {1}}, {T, 100, {1, 2}}, {D, 110, {}}}},
        {"reported double-click long after one made from triggers",
         {{T, 0, {1}}, {T, 100, {1, 2}}, {D, 2000, {2}}}},
        {"click right after a reported double-click", {{T, 0, {1}}, {D, 100, {2}}, {T, 200, {1}}}},
        {"double-click with no trigger before it", {{D, 50, {2}}}},
        {"context request", {{C, 0, {3}}}},
        {"context request between triggers", {{T, 0, {1}}, {C, 50, {3}}, {T, 100, {1}}}},
        {"middle click between triggers", {{T, 0, {1}}, {M, 50, {}}, {T, 100, {1}}}},
    };
    for (const ClickCase& c : cases) {
        TrayClickPairing pairing;
        for (const Click& click : c.clicks) {
            EXPECT_EQ(pairing.eventsFor(click.activation, click.atMs, interval), click.expected)
                << c.what << ", at " << click.atMs << " ms";
        }
    }
}

} // namespace
} // namespace vintrale
