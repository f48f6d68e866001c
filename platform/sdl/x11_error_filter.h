// A guard against one fatal X error that SDL's own workings can provoke.
#pragma once

namespace qz370::sdl {

// On X, keeps a BadWindow answer to SDL's wake-up event from ending the
// program. Does nothing on other video drivers.
void survive_wakeups_to_destroyed_windows();

}  // namespace qz370::sdl
