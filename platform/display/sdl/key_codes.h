// What the keyboard means to the window system: the virtual-key code of an SDL
// key, and the character of SDL's typed text (fonts::cp1252_from_unicode makes
// it the program's byte).
#pragma once

#include <SDL.h>

#include <cstdint>

#include "gdi/fonts/cp1252.h"

namespace qz370::sdl {

constexpr int NO_VIRTUAL_KEY = 0;
constexpr int NO_CHARACTER = fonts::NO_CP1252_BYTE;

// Letters give their upper-case code whatever Shift and Caps Lock say; either
// Ctrl gives VK_CONTROL, either Shift VK_SHIFT, either Alt VK_MENU.
int virtual_key_of(const SDL_Keysym &key);

using fonts::NO_CODE_POINT;
constexpr uint32_t UNICODE_ASCII_END = 0x80;  // code points below it are ASCII

// The first character of UTF-8 text; NO_CODE_POINT for an empty or broken text.
uint32_t first_code_point(const char *utf8);

}  // namespace qz370::sdl
