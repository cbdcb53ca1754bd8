#include "platform/beep.h"

#include <QApplication>
#include <canberra.h>
#include <memory>

namespace vintrale {

namespace {

std::function<void()>& installedObserver() {
    static std::function<void()> observer;
    return observer;
}

struct ContextDeleter {
    void operator()(ca_context* context) const { ca_context_destroy(context); }
};

// Sounds play asynchronously, so the context must outlive the call; one for the whole process.
ca_context* soundContext() {
    static const std::unique_ptr<ca_context, ContextDeleter> context = [] {
        ca_context* created = nullptr;
        return std::unique_ptr<ca_context, ContextDeleter>(
            ca_context_create(&created) == CA_SUCCESS ? created : nullptr);
    }();
    return context.get();
}

} // namespace

void setBeepObserver(std::function<void()> observer) {
    installedObserver() = std::move(observer);
}

void beep() {
    if (installedObserver()) {
        installedObserver()();
        return;
    }
    ca_context* context = soundContext();
    const bool played =
        context != nullptr &&
        ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION,
                        "Timed draw finished", nullptr) == CA_SUCCESS;
    if (!played) {
        QApplication::beep();
    }
}

} // namespace vintrale
