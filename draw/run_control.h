#pragma once

#include "core/run_state.h"

namespace vintrale {

class MainWindow;
class ResultsDisplay;
class TrayIcon;

// Starts, stops and drives draw runs: 按钮1 flips between idle and running, and every tick of
// 时钟1 redraws all tickets. In timed mode (选择框1) a run also ends by itself once the seconds of
// 编辑框1 have passed, with a beep and the window brought back, even from the tray.
class RunControl {
public:
    RunControl(MainWindow& window, RunState& runState, ResultsDisplay& results, TrayIcon& trayIcon);

    void onStartStopClicked();
    void onDrawTimerTick();

    // The period a run gives 时钟1.
    static constexpr int runPeriod = 100;

private:
    void stopOnWrongTimedSetting();
    void endTimedRun();
    // Every way a run ends: the timer stopped, the count reset, 按钮1 ready to start again.
    void becomeIdle();

    MainWindow& window_;
    RunState& runState_;
    ResultsDisplay& results_;
    TrayIcon& trayIcon_;
};

} // namespace vintrale
