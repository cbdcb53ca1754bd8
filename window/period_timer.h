#pragma once

#include <QObject>
#include <QTimer>

namespace vintrale {

// A timer driven by one property, its period in milliseconds. Writing the period it already has
// changes nothing, so a running timer keeps its rhythm; 0 (or less) stops it.
//
// Expiries never nest: one that falls while a handler of ours is still running (for instance
// inside its let-pending-events-run step) is held back and delivered once that handler has
// returned. At most one expiry is ever pending.
class PeriodTimer : public QObject {
    Q_OBJECT
public:
    explicit PeriodTimer(QObject* parent = nullptr);

    int period() const { return period_; }
    void setPeriod(int milliseconds);

    // For tests: the period is still stored and read back, but no clock runs; each fire()
    // delivers one expiry exactly as a timeout would, so a test decides when ticks happen.
    void setDrivenByHand(bool byHand);
    void fire() { onTimeout(); }

signals:
    void expired();

private:
    void onTimeout();

    QTimer timer_;
    int period_ = 0;
    bool drivenByHand_ = false;
    bool inHandler_ = false;
    bool expiryHeldBack_ = false;
    unsigned generation_ = 0;
};

} // namespace vintrale
