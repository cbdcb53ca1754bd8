#pragma once

#include <functional>

namespace vintrale {

// The plain "something happened" sound: the desktop sound theme's bell, or the X bell where no
// sound theme can play.
void beep();

// Test hook: while set, beep() calls this instead of making a sound.
void setBeepObserver(std::function<void()> observer);

} // namespace vintrale
