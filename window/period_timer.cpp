#include "window/period_timer.h"

namespace vintrale {

PeriodTimer::PeriodTimer(QObject* parent) : QObject(parent) {
    // A coarse timer may drift by 5 %; the elapsed-time caption counts on a steady 100 ms.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PeriodTimer::onTimeout);
}

void PeriodTimer::setPeriod(int milliseconds) {
    const int wanted = milliseconds < 0 ? 0 : milliseconds;
    if (wanted == period_) {
        return;
    }
    timer_.stop();
    expiryHeldBack_ = false;
    ++generation_;
    period_ = wanted;
    if (period_ > 0 && !drivenByHand_) {
        timer_.start(period_);
    }
}

void PeriodTimer::setDrivenByHand(bool byHand) {
    drivenByHand_ = byHand;
    if (byHand) {
        timer_.stop();
    } else if (period_ > 0) {
        timer_.start(period_);
    }
}

void PeriodTimer::onTimeout() {
    if (inHandler_) {
        expiryHeldBack_ = true;
        return;
    }
    inHandler_ = true;
    emit expired();
    inHandler_ = false;
    if (expiryHeldBack_ && period_ > 0) {
        expiryHeldBack_ = false;
        // Queued, so the events that piled up during a slow handler are answered first. A period
        // written in between makes the held-back expiry stale.
        QMetaObject::invokeMethod(
            this,
            [this, generation = generation_] {
                if (generation == generation_) {
                    onTimeout();
                }
            },
            Qt::QueuedConnection);
    }
}

} // namespace vintrale
