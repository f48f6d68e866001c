// A program run on the headless display by hand (QZ370_DISPLAY=headless, no
// replay) gets no input: one that animates would run unseen forever, so it is
// ended after a fixed span of the display's virtual clock.
#pragma once

#include <cstdint>

namespace qz370::entry {

constexpr int64_t HEADLESS_RUN_LIMIT_MS = 60'000;

// Unless the program sets an idle hook of its own to give input.
void limit_headless_run(const char *program_name);

}  // namespace qz370::entry
