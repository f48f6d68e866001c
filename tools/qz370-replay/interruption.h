// Ctrl+C and SIGTERM: the run stops at its next frame, or at once while it
// waits for a program, cleans up after itself and ends by the same signal, so
// the shell sees why it ended. A second one ends the program at once.
#pragma once

namespace replay {

// From now on the two signals are noted, not obeyed at once, except where
// the program was started with them ignored.
void catch_interruptions(void (*clean_up)());

bool interruption_noted();

// If a signal was noted: cleans up and ends the program by that signal.
void stop_if_interrupted();

}  // namespace replay
