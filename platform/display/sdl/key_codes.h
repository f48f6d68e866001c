// What the keyboard means to the window system: the virtual-key code of an SDL
// key, and the Windows-1252 byte of a typed character.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace qz370::sdl {

constexpr int NO_VIRTUAL_KEY = 0;
constexpr int NO_CHARACTER = -1;

// Letters give their upper-case code whatever Shift and Caps Lock say; either
// Ctrl gives VK_CONTROL, either Shift VK_SHIFT, either Alt VK_MENU.
int virtual_key_of(const SDL_Keysym &key);

constexpr uint32_t NO_CODE_POINT = 0;
constexpr uint32_t UNICODE_ASCII_END = 0x80;  // code points below it are ASCII

// The first character of UTF-8 text; NO_CODE_POINT for an empty or broken text.
uint32_t first_code_point(const char *utf8);

// The Windows-1252 byte of a character, or NO_CHARACTER when the code page
// has none for it.
int cp1252_byte_of(uint32_t code_point);

}  // namespace qz370::sdl
