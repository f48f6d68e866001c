#include "display/sdl/key_codes.h"

#include <windows.h>

#include <cstdint>


namespace qz370::sdl {

namespace {

// Win32's codes for the keys that <windows.h> here does not name.
constexpr int KEY_INSERT = 0x2D;
constexpr int KEY_NUMPAD_0 = 0x60;
constexpr int KEY_MULTIPLY = 0x6A;
constexpr int KEY_ADD = 0x6B;
constexpr int KEY_SUBTRACT = 0x6D;
constexpr int KEY_DECIMAL = 0x6E;
constexpr int KEY_DIVIDE = 0x6F;
constexpr int KEY_F1 = 0x70;
constexpr int KEY_OEM_1 = 0xBA;       // ;:
constexpr int KEY_OEM_PLUS = 0xBB;    // =+
constexpr int KEY_OEM_COMMA = 0xBC;
constexpr int KEY_OEM_MINUS = 0xBD;
constexpr int KEY_OEM_PERIOD = 0xBE;
constexpr int KEY_OEM_2 = 0xBF;       // /?
constexpr int KEY_OEM_3 = 0xC0;       // `~
constexpr int KEY_OEM_4 = 0xDB;       // [{
constexpr int KEY_OEM_5 = 0xDC;       // \|
constexpr int KEY_OEM_6 = 0xDD;       // ]}
constexpr int KEY_OEM_7 = 0xDE;       // '"
constexpr int NUMPAD_DIGITS = 10;
constexpr int LETTERS = 26;


struct KeyPair {
    SDL_Keycode sdl;
    int virtual_key;
};

constexpr KeyPair NAMED_KEYS[] = {
    {SDLK_BACKSPACE, VK_BACK},        {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},         {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},         {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},          {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},               {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},             {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},           {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, KEY_INSERT},        {SDLK_DELETE, VK_DELETE},
    {SDLK_LSHIFT, VK_SHIFT},          {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},         {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},             {SDLK_RALT, VK_MENU},
    {SDLK_KP_MULTIPLY, KEY_MULTIPLY}, {SDLK_KP_PLUS, KEY_ADD},
    {SDLK_KP_MINUS, KEY_SUBTRACT},    {SDLK_KP_PERIOD, KEY_DECIMAL},
    {SDLK_KP_DIVIDE, KEY_DIVIDE},     {SDLK_SEMICOLON, KEY_OEM_1},
    {SDLK_EQUALS, KEY_OEM_PLUS},      {SDLK_COMMA, KEY_OEM_COMMA},
    {SDLK_MINUS, KEY_OEM_MINUS},      {SDLK_PERIOD, KEY_OEM_PERIOD},
    {SDLK_SLASH, KEY_OEM_2},          {SDLK_BACKQUOTE, KEY_OEM_3},
    {SDLK_LEFTBRACKET, KEY_OEM_4},    {SDLK_BACKSLASH, KEY_OEM_5},
    {SDLK_RIGHTBRACKET, KEY_OEM_6},   {SDLK_QUOTE, KEY_OEM_7},
};

constexpr SDL_Keycode NUMPAD_KEYS[NUMPAD_DIGITS] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                                     SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};

// Letters and digits by where the key lies, for layouts whose keys type
// neither (a Cyrillic or Greek layout still has an "A" key).
int key_by_position(SDL_Scancode scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode < SDL_SCANCODE_A + LETTERS) {
        return 'A' + (scancode - SDL_SCANCODE_A);
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return '1' + (scancode - SDL_SCANCODE_1);
    }
    if (scancode == SDL_SCANCODE_0) {
        return '0';
    }
    return NO_VIRTUAL_KEY;
}

}  // namespace

int virtual_key_of(const SDL_Keysym &key)
{
    SDL_Keycode sym = key.sym;
    if (sym >= SDLK_a && sym <= SDLK_z) {
        return 'A' + (sym - SDLK_a);
    }
    if (sym >= SDLK_0 && sym <= SDLK_9) {
        return '0' + (sym - SDLK_0);
    }
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        return KEY_F1 + (sym - SDLK_F1);
    }
    for (int digit = 0; digit < NUMPAD_DIGITS; ++digit) {
        if (sym == NUMPAD_KEYS[digit]) {
            return KEY_NUMPAD_0 + digit;
        }
    }
    for (const KeyPair &pair : NAMED_KEYS) {
        if (pair.sdl == sym) {
            return pair.virtual_key;
        }
    }
    return key_by_position(key.scancode);
}

uint32_t first_code_point(const char *utf8)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(utf8);
    if (bytes[0] < UNICODE_ASCII_END) {
        return bytes[0];
    }
    int trailing = bytes[0] >= 0xF0 ? 3 : bytes[0] >= 0xE0 ? 2 : bytes[0] >= 0xC0 ? 1 : -1;
    if (trailing < 0) {
        return NO_CODE_POINT;
    }
    uint32_t code = bytes[0] & (0x3F >> trailing);
    for (int i = 1; i <= trailing; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) {
            return NO_CODE_POINT;  // the text ends or breaks off inside the character
        }
        code = (code << 6) | (bytes[i] & 0x3F);
    }
    return code;
}

}  // namespace qz370::sdl
