// A program on the headless display gets no input but what a replay gives: one
// that animates, or waits, with nothing to come would run unseen forever, so
// once the display's virtual clock has run a fixed time it is told to quit, as
// Quit would, and its exit status says it was stopped.
#pragma once

#include <cstdint>

namespace qz370::entry {

constexpr int64_t HEADLESS_RUN_LIMIT_MS = 60'000;

// Run by hand (no replay): the limit counts from the start, unless the
// program sets an idle hook of its own to give input.
void limit_headless_run(const char *program_name);

// In a replay: the limit counts from the moment playback starts. Scripted
// events do not wait for the clock, so a replay that keeps reading its script
// never reaches it.
void start_replay_run_limit(const char *program_name);
// At each idle moment of a replay; true once past the limit (Quit chosen).
bool replay_run_limit_reached();

// The program's own exit code, or STUCK_EXIT_CODE if it was stopped at the limit.
int exit_code_after_run(int program_exit_code);

}  // namespace qz370::entry
