// The user's input as the window system sees it: SDL's events turned into the
// messages of the windows they are meant for.
#pragma once

#include <SDL.h>

namespace qz370::sdl {

void translate_event(const SDL_Event &event);
// Every event SDL holds right now; none while a menu's loop reads the input
// itself.
void translate_pending_events();

}  // namespace qz370::sdl
