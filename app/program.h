#pragma once

#include "core/char_format.h"
#include "core/run_state.h"
#include "draw/random_source.h"
#include "draw/results_display.h"
#include "draw/run_control.h"
#include "platform/program_location.h"
#include "tray/close_to_tray.h"
#include "tray/tray_icon.h"
#include "window/main_window.h"

#include <functional>
#include <memory>

namespace vintrale {

// Both formats as they stand before the window exists: 宋体 9 pt in the automatic colour.
CharFormats createFormats();

// The two start-up steps of the created event that reach outside the process. An empty step is
// skipped: no skin, and no other instance. That is the default, so a Program made in a test
// neither writes beside an executable that is not there nor loads the skin engine;
// startRoutine passes the real steps.
struct StartupSteps {
    std::function<void()> applySkin;
    std::function<bool()> anotherInstanceRunning;
};

// Everything that lives as long as the program: its state, its window and the handlers bound to
// the window's events. Tests make a fresh one per case.
class Program {
public:
    explicit Program(ProgramLocation location, StartupSteps startupSteps = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the main window, binds every handler, raises the created event and shows the
    // window unless the created event destroyed it.
    void loadMainWindow();
    // Runs once, after the event loop: frees the formats.
    void exitCleanup();

    const ProgramLocation& location() const { return location_; }
    RunState& runState() { return runState_; }
    const CharFormats& formats() const { return formats_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    // Both exist from loadMainWindow on.
    TrayIcon& trayIcon() { return *trayIcon_; }
    CloseToTray& closeToTray() { return *closeToTray_; }
    RandomSource& randomSource() { return randomSource_; }
    ResultsDisplay& resultsDisplay() { return *resultsDisplay_; }
    RunControl& runControl() { return *runControl_; }

private:
    void onMainWindowCreated();
    void bindHandlers();

    ProgramLocation location_;
    StartupSteps startupSteps_;
    RunState runState_;
    CharFormats formats_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::unique_ptr<CloseToTray> closeToTray_;
    RandomSource randomSource_; // the boot clock; its seedOffset lives as long as the program
    std::unique_ptr<ResultsDisplay> resultsDisplay_;
    std::unique_ptr<RunControl> runControl_;
    bool cleanedUp_ = false;
};

// The whole program: fixes its location, makes the formats, loads the window, runs the event
// loop and returns its exit status (0 after every orderly end).
int startRoutine(int& argc, char** argv);

} // namespace vintrale
