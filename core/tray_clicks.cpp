#include "core/tray_clicks.h"

namespace vintrale {

bool TrayClickPairing::within(std::optional<std::int64_t> since, std::int64_t nowMs,
                              std::int64_t intervalMs) {
    return since.has_value() && nowMs >= *since && nowMs - *since <= intervalMs;
}

std::vector<int> TrayClickPairing::eventsFor(TrayActivation activation, std::int64_t nowMs,
                                             std::int64_t doubleClickIntervalMs) {
    switch (activation) {
    case TrayActivation::trigger:
        if (within(loneTriggerAt_, nowMs, doubleClickIntervalMs)) {
            loneTriggerAt_.reset();
            pairedDoubleClickAt_ = nowMs;
            return {trayEvent::leftClick, trayEvent::doubleClick};
        }
        loneTriggerAt_ = nowMs;
        return {trayEvent::leftClick};
    case TrayActivation::doubleClick: {
        const bool alreadyCounted = within(pairedDoubleClickAt_, nowMs, doubleClickIntervalMs);
        loneTriggerAt_.reset();
        pairedDoubleClickAt_.reset();
        if (alreadyCounted) {
            return {};
        }
        return {trayEvent::doubleClick};
    }
    case TrayActivation::context:
        loneTriggerAt_.reset();
        pairedDoubleClickAt_.reset();
        return {trayEvent::context};
    case TrayActivation::other:
        loneTriggerAt_.reset();
        pairedDoubleClickAt_.reset();
        return {};
    }
    return {};
}

} // namespace vintrale
