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

signals:
    void expired();

private:
    void onTimeout();

    QTimer timer_;
    int period_ = 0;
    bool inHandler_ = false;
    bool expiryHeldBack_ = false;
    unsigned generation_ = 0;
};

} // namespace vintrale
