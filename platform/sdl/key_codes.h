// What the keyboard means to the window system: the virtual-key code of an SDL
// key, and the Windows-1252 byte of a typed character.
#pragma once

#include <SDL.h>

namespace qz370::sdl {

constexpr int NO_VIRTUAL_KEY = 0;
constexpr int NO_CHARACTER = -1;

// Letters give their upper-case code whatever Shift and Caps Lock say; either
// Ctrl gives VK_CONTROL, either Shift VK_SHIFT, either Alt VK_MENU.
int virtual_key_of(const SDL_Keysym &key);

// The Windows-1252 byte of the first character of UTF-8 text, or NO_CHARACTER
// when the code page has none for it.
int cp1252_byte_of(const char *utf8);

}  // namespace qz370::sdl
