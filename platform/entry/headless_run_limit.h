// A program run on the headless display by hand (QZ370_DISPLAY=headless, no
// replay) gets no input: one that animates would run unseen forever, so once
// the display's virtual clock reaches a fixed limit it is told to quit, as
// Quit would, and its exit status says it was stopped.
#pragma once

#include <cstdint>

namespace qz370::entry {

constexpr int64_t HEADLESS_RUN_LIMIT_MS = 60'000;

// Unless the program sets an idle hook of its own to give input.
void limit_headless_run(const char *program_name);

// The program's own exit code, or STUCK_EXIT_CODE if it was stopped at the limit.
int exit_code_after_run(int program_exit_code);

}  // namespace qz370::entry
