#include "display/sdl/sdl_clock.h"

#include <algorithm>
#include <climits>

#include "display/sdl/screen_windows.h"
#include "display/sdl/sdl_input.h"

namespace qz370::sdl {

int64_t now_ms() { return static_cast<int64_t>(SDL_GetTicks64()); }

bool next_event_before(int64_t deadline_ms, SDL_Event *event)
{
    if (deadline_ms == NO_DEADLINE) {
        return SDL_WaitEvent(event) == 1;
    }
    int64_t remaining = deadline_ms - now_ms();
    if (remaining <= 0) {
        return SDL_PollEvent(event) == 1;
    }
    return SDL_WaitEventTimeout(event, static_cast<int>(std::min<int64_t>(remaining, INT_MAX))) == 1;
}

void wait_for_input(int64_t deadline_ms)
{
    present_changed_windows();
    SDL_Event event;
    if (next_event_before(deadline_ms, &event)) {
        translate_event(event);
        translate_pending_events();
    }
}

}  // namespace qz370::sdl
