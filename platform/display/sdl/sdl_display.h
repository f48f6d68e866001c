// The desktop display: every top-level window of the window system shown in a
// window of its own on the user's screen through SDL2, with the menu bar drawn
// by this layer, real input and the real clock.
#pragma once

namespace qz370::sdl {

// Opens SDL's video and makes the desktop the current display. False, with SDL
// closed again, when no display can be opened.
bool use();

}  // namespace qz370::sdl
