#include "draw/run_control.h"

#include "core/text_rules.h"
#include "draw/captions.h"
#include "draw/results_display.h"
#include "platform/beep.h"
#include "platform/message_box.h"
#include "tray/tray_icon.h"
#include "window/main_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <limits>
#include <string_view>

namespace vintrale {

namespace {

QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const QString startCaption = QStringLiteral("开始算号");
const QString stopCaption = QStringLiteral("停止算号");

} // namespace

RunControl::RunControl(MainWindow& window, RunState& runState, ResultsDisplay& results,
                       TrayIcon& trayIcon)
    : window_(window), runState_(runState), results_(results), trayIcon_(trayIcon) {}

void RunControl::onStartStopClicked() {
    // On every press, start or stop; in timed mode the elapsed time stays in the caption.
    if (!window_.timedModeCheck()->isChecked()) {
        window_.setCaption(fromUtf8(brandingCaption));
    }
    if (runState_.isIdle) {
        runState_.tickCount = 0;
        window_.drawTimer().setPeriod(runPeriod);
        window_.startStopButton()->setText(stopCaption);
        runState_.isIdle = false;
    } else {
        becomeIdle();
    }
}

void RunControl::onDrawTimerTick() {
    // Timed mode is looked at on every tick, so ticking or unticking it mid-run takes effect at
    // once.
    if (window_.timedModeCheck()->isChecked()) {
        const QByteArray secondsText = window_.secondsEdit()->text().toUtf8();
        const std::string_view seconds{secondsText.constData(),
                                       static_cast<std::size_t>(secondsText.size())};
        if (compareText(seconds, {}) == 0) {
            stopOnWrongTimedSetting();
            return;
        }
        // Saturating: a run would need 6.8 years to get there, but overflow must never happen.
        if (runState_.tickCount < std::numeric_limits<std::int32_t>::max()) {
            ++runState_.tickCount;
        }
        // 64 bits, so a run past 24.8 days still shows its true time.
        const std::int64_t elapsed =
            std::int64_t{runState_.tickCount} * window_.drawTimer().period();
        window_.setCaption(QString::fromStdString(timedCaption(elapsed)));
        // Any 32-bit count of seconds, times 1000, fits in 64 bits: no overflow.
        if (elapsed >= std::int64_t{textToInteger(seconds)} * 1000) {
            endTimedRun();
        }
    }
    results_.refreshResults();
    // Clicks are answered between ticks. An expiry that falls in here is held back by the timer
    // until this tick has returned, so ticks never nest however slow a refresh is.
    QCoreApplication::processEvents();
}

// The error road: nothing is drawn and the caption stays as it was.
void RunControl::stopOnWrongTimedSetting() {
    // Stopped before the box waits for its answer, so no tick is due while it is up.
    window_.drawTimer().setPeriod(0);
    showMessageBox(QStringLiteral("定时设置错误"), QStringLiteral("错误"), MessageStyle::error);
    becomeIdle();
}

// The tick that ends a timed run still refreshes the results once more afterwards.
void RunControl::endTimedRun() {
    beep();
    becomeIdle();
    window_.setShownOnScreen(true);
    trayIcon_.removeTrayIcon();
}

void RunControl::becomeIdle() {
    window_.drawTimer().setPeriod(0);
    runState_.tickCount = 0;
    window_.startStopButton()->setText(startCaption);
    runState_.isIdle = true;
}

} // namespace vintrale
