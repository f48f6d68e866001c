// What a program's start-up (entry/) sets in the window system before the
// program runs.
#pragma once

#include <functional>

namespace qz370::platform {

// Called each time the program looks for a message and finds nothing but
// timers, until it returns true; what it posts is taken before any timer.
// That is where a program that has just started first waits, on a screen
// whose clock may already have passed the first tick as much as on the
// headless display, whose clock has not yet moved.
void set_first_idle_action(std::function<bool()> action);

}  // namespace qz370::platform
