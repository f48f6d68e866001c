// Input given by the program itself to the headless display, queued as a
// user's input would be.
#include "headless.h"
#include "user/window_internals.h"

#include <bitset>

namespace qz370::headless {

namespace {

using platform::ALT_HELD;
using platform::KEY_RELEASED;
using platform::KEY_WAS_DOWN;
using platform::MOUSE_LEFT_HELD;
using platform::REPEAT_ONCE;
using platform::Window;

constexpr int KEY_COUNT = 256;

std::bitset<KEY_COUNT> keys_down;

bool valid_key(int virtual_key) { return virtual_key > 0 && virtual_key < KEY_COUNT; }

// Alt turns every key into a system key, and F10 is one on its own.
bool is_system_key(int virtual_key) { return keys_down[VK_MENU] || virtual_key == VK_F10; }

}  // namespace

void click(HWND hwnd, int x, int y)
{
    if (!IsWindow(hwnd)) {
        return;
    }
    POINT point{x, y};
    HWND target = platform::window_under(hwnd, &point);
    LPARAM position = MAKELPARAM(point.x, point.y);
    platform::post_input(target, WM_LBUTTONDOWN, MOUSE_LEFT_HELD, position);
    platform::post_input(target, WM_LBUTTONUP, 0, position);
}

void key_down(HWND hwnd, int virtual_key)
{
    if (!IsWindow(hwnd) || !valid_key(virtual_key)) {
        return;
    }
    bool repeat = keys_down[virtual_key];
    keys_down[virtual_key] = true;
    DWORD data = REPEAT_ONCE | (repeat ? KEY_WAS_DOWN : 0) | (keys_down[VK_MENU] ? ALT_HELD : 0);
    bool system = is_system_key(virtual_key);
    platform::post_input(hwnd, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtual_key),
                         static_cast<LPARAM>(data));
}

void key_up(HWND hwnd, int virtual_key)
{
    if (!IsWindow(hwnd) || !valid_key(virtual_key)) {
        return;
    }
    bool system = is_system_key(virtual_key);
    DWORD data = REPEAT_ONCE | KEY_WAS_DOWN | KEY_RELEASED | (keys_down[VK_MENU] ? ALT_HELD : 0);
    keys_down[virtual_key] = false;
    platform::post_input(hwnd, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(virtual_key),
                         static_cast<LPARAM>(data));
}

void type_char(HWND hwnd, unsigned char character)
{
    if (IsWindow(hwnd)) {
        platform::post_typed_character(hwnd, character);
    }
}

void close_window(HWND hwnd)
{
    if (IsWindow(hwnd)) {
        platform::post_input(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

bool choose_menu_item(HWND hwnd, UINT id)
{
    Window *window = platform::window_from(hwnd);
    if (window == nullptr || window->parent != nullptr || !platform::accepts_input(hwnd) ||
        platform::find_enabled_menu_command(platform::menu_from(window->menu), id) == nullptr) {
        return false;
    }
    platform::post_input(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return true;
}

}  // namespace qz370::headless
