// The real clock, and waiting on it without using the processor: SDL sleeps
// until the user does something or the deadline comes.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace qz370::sdl {

constexpr int64_t NO_DEADLINE = -1;

int64_t now_ms();  // milliseconds since the display was opened

// Takes the next SDL event, waiting for it until deadline_ms at the latest;
// false when the deadline came first.
bool next_event_before(int64_t deadline_ms, SDL_Event *event);

// The display's wait: shows changed windows, then blocks until input arrives
// or the deadline comes, and turns what arrived into messages.
void wait_for_input(int64_t deadline_ms);

}  // namespace qz370::sdl
