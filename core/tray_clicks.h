#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace vintrale {

// What the notification area reports about a click on the icon.
enum class TrayActivation { trigger, doubleClick, context, other };

// Tray event types the window receives: 1 left button released, 2 left double-click, 3 context
// request.
namespace trayEvent {
inline constexpr int leftClick = 1;
inline constexpr int doubleClick = 2;
inline constexpr int context = 3;
} // namespace trayEvent

// Turns activations into tray event types. Some notification areas never report a double-click,
// only two triggers; there a second trigger within the double-click interval of a lone first one
// adds a double-click. Areas that do report double-clicks send trigger then double-click, which
// leaves no lone trigger to pair, so a real double-click still counts exactly once; a reported
// double-click that follows one made from triggers is dropped for the same reason.
class TrayClickPairing {
public:
    std::vector<int> eventsFor(TrayActivation activation, std::int64_t nowMs,
                               std::int64_t doubleClickIntervalMs);

private:
    static bool within(std::optional<std::int64_t> since, std::int64_t nowMs,
                       std::int64_t intervalMs);

    std::optional<std::int64_t> loneTriggerAt_;
    std::optional<std::int64_t> pairedDoubleClickAt_;
};

} // namespace vintrale
