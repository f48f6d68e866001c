#include "display/sdl/sdl_input.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "display/menus/menu_tracking.h"
#include "display/sdl/key_codes.h"
#include "display/sdl/menu_loop.h"
#include "display/sdl/screen_windows.h"
#include "display/sdl/window_scale.h"
#include "user/window_system.h"

namespace qz370::sdl {

namespace {

using platform::ALT_HELD;
using platform::KEY_RELEASED;
using platform::KEY_WAS_DOWN;
using platform::MOUSE_CONTROL_HELD;
using platform::MOUSE_LEFT_HELD;
using platform::MOUSE_RIGHT_HELD;
using platform::MOUSE_SHIFT_HELD;
using platform::REPEAT_ONCE;

// Where the scan code sits in a key message's lParam.
constexpr int KEY_SCAN_CODE_SHIFT = 16;
constexpr LPARAM KEY_SCAN_CODE_MASK = 0xFF;

// More keys than a keyboard reports held at once.
constexpr int KEYS_HELD_AT_MOST = 32;

// Keys whose key-down was handed on as a typed character: their key-up has
// gone with it.
std::vector<SDL_Scancode> typing_keys;

HWND top_level_for(Uint32 window_id)
{
    const ScreenWindow *screen = screen_window_with_id(window_id);
    return screen == nullptr ? nullptr : screen->hwnd;
}

// Keys go to the window with the focus when it lies in the window the user
// typed into, else to that top-level window itself.
HWND keyboard_target(Uint32 window_id)
{
    HWND top = top_level_for(window_id);
    HWND focus = GetFocus();
    return focus != nullptr && platform::top_level_of(focus) == top ? focus : top;
}

// Alt gives the system's key messages, as does F10 on its own; Ctrl with Alt
// types as Ctrl does.
bool is_system_key(int virtual_key, Uint16 modifiers)
{
    bool alt = (modifiers & KMOD_ALT) != 0;
    bool ctrl = (modifiers & KMOD_CTRL) != 0;
    return virtual_key == VK_F10 || virtual_key == VK_MENU || (alt && !ctrl);
}

LPARAM key_data(const SDL_KeyboardEvent &key)
{
    LPARAM data = REPEAT_ONCE | ((LPARAM{key.keysym.scancode} & KEY_SCAN_CODE_MASK) << KEY_SCAN_CODE_SHIFT);
    if (key.keysym.mod & KMOD_ALT) {
        data |= ALT_HELD;
    }
    if (key.state == SDL_RELEASED) {
        data |= KEY_WAS_DOWN | KEY_RELEASED;
    } else if (key.repeat) {
        data |= KEY_WAS_DOWN;
    }
    return data;
}

// The character the keyboard layout typed with a key comes as a text event
// right behind the key's own event; takes it when it is there.
uint32_t take_typed_text()
{
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1 || next.type != SDL_TEXTINPUT) {
        return NO_CODE_POINT;
    }
    SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
    return first_code_point(next.text.text);
}

// With AltGr (an Alt key, on layouts that have one) a key types a character
// other than its own: that is typing, not a command.
bool alt_typed_another_character(const SDL_Keysym &key, uint32_t typed)
{
    uint32_t lower = typed < UNICODE_ASCII_END ? static_cast<uint32_t>(std::tolower(static_cast<int>(typed))) : typed;
    return (key.mod & KMOD_ALT) != 0 && typed != NO_CODE_POINT && lower != static_cast<uint32_t>(key.sym);
}

void translate_key_down(const SDL_KeyboardEvent &key)
{
    int virtual_key = virtual_key_of(key.keysym);
    uint32_t typed = take_typed_text();
    HWND target = keyboard_target(key.windowID);
    if (target == nullptr) {
        return;
    }
    bool system = is_system_key(virtual_key, key.keysym.mod) && !alt_typed_another_character(key.keysym, typed);
    // With Ctrl or Alt held a key gives a command, not the layout's
    // character: TranslateMessage makes the control code from the key itself.
    int character = fonts::cp1252_from_unicode(typed);
    if (character != NO_CHARACTER && !system && (key.keysym.mod & KMOD_CTRL) == 0) {
        platform::post_typed_character(target, static_cast<unsigned char>(character));
        if (std::find(typing_keys.begin(), typing_keys.end(), key.keysym.scancode) == typing_keys.end()) {
            typing_keys.push_back(key.keysym.scancode);
        }
    } else if (virtual_key != NO_VIRTUAL_KEY) {
        platform::post_input(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtual_key),
                             key_data(key));
    }
}

// As a window loses the keyboard focus, SDL lets go of every key still held,
// with key-ups for that window right before the news of the lost focus,
// though no key went up. Windows sends nothing: a key let go elsewhere is
// still down for the window, as it last saw the key.
bool released_by_losing_focus(const SDL_KeyboardEvent &key)
{
    SDL_Event ahead[KEYS_HELD_AT_MOST];
    int count = SDL_PeepEvents(ahead, KEYS_HELD_AT_MOST, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    int next = 0;
    while (next < count && ahead[next].type == SDL_KEYUP) {
        ++next;
    }
    return next < count && ahead[next].type == SDL_WINDOWEVENT &&
           ahead[next].window.event == SDL_WINDOWEVENT_FOCUS_LOST && ahead[next].window.windowID == key.windowID;
}

void translate_key_up(const SDL_KeyboardEvent &key)
{
    auto typing = std::find(typing_keys.begin(), typing_keys.end(), key.keysym.scancode);
    if (typing != typing_keys.end()) {
        typing_keys.erase(typing);
        return;
    }
    if (released_by_losing_focus(key)) {
        return;
    }
    int virtual_key = virtual_key_of(key.keysym);
    HWND target = keyboard_target(key.windowID);
    if (target != nullptr && virtual_key != NO_VIRTUAL_KEY) {
        platform::post_input(target, is_system_key(virtual_key, key.keysym.mod) ? WM_SYSKEYUP : WM_KEYUP,
                             static_cast<WPARAM>(virtual_key), key_data(key));
    }
}

// Text that came without a key of its own, from an input method.
void translate_text(const SDL_TextInputEvent &text)
{
    int character = fonts::cp1252_from_unicode(first_code_point(text.text));
    HWND target = keyboard_target(text.windowID);
    if (target != nullptr && character != NO_CHARACTER) {
        platform::post_typed_character(target, static_cast<unsigned char>(character));
    }
}

WPARAM mouse_key_flags(Uint8 button, bool pressed)
{
    SDL_Keymod modifiers = SDL_GetModState();
    Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    if (pressed) {
        buttons |= SDL_BUTTON(button);
    }
    WPARAM flags = 0;
    flags |= (buttons & SDL_BUTTON_LMASK) ? MOUSE_LEFT_HELD : 0;
    flags |= (buttons & SDL_BUTTON_RMASK) ? MOUSE_RIGHT_HELD : 0;
    flags |= (modifiers & KMOD_SHIFT) ? MOUSE_SHIFT_HELD : 0;
    flags |= (modifiers & KMOD_CTRL) ? MOUSE_CONTROL_HELD : 0;
    return flags;
}

UINT button_message(Uint8 button, bool pressed)
{
    if (button == SDL_BUTTON_LEFT) {
        return pressed ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
    if (button == SDL_BUTTON_RIGHT) {
        return pressed ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    }
    return WM_NULL;
}

void translate_button(const SDL_MouseButtonEvent &button)
{
    HWND top = top_level_for(button.windowID);
    bool pressed = button.state == SDL_PRESSED;
    UINT message = button_message(button.button, pressed);
    if (top == nullptr || message == WM_NULL) {
        return;
    }
    int bar = menu_bar_height(top);
    POINT point{to_system_pixels(button.x), to_system_pixels(button.y)};
    if (point.y < bar) {
        if (message == WM_LBUTTONDOWN) {
            track_menu_at(top, point.x);
        }
        return;
    }
    point.y -= bar;
    HWND target = platform::window_under(top, &point);
    platform::post_input(target, message, mouse_key_flags(button.button, pressed), MAKELPARAM(point.x, point.y));
}

// A window the user resized takes the size whole: the window system sends
// WM_SIZE, and a class that redraws on a new size repaints.
void follow_user_resize(HWND hwnd, int width, int height)
{
    ScreenWindow *screen = screen_window_of(hwnd);
    const platform::Window *window = platform::window_from(hwnd);
    mark_for_present(hwnd);
    bool resized_by_user = screen != nullptr && (width != screen->content_width || height != screen->content_height);
    if (!resized_by_user || window == nullptr || !(window->style & WS_THICKFRAME)) {
        return;
    }
    screen->content_width = width;
    screen->content_height = height;
    int extra_width = (window->frame.right - window->frame.left) - (window->client.right - window->client.left);
    int extra_height = (window->frame.bottom - window->frame.top) - (window->client.bottom - window->client.top);
    int client_height = std::max(0, height - menu_bar_height(hwnd));
    MoveWindow(hwnd, window->frame.left, window->frame.top, width + extra_width, client_height + extra_height, TRUE);
}

void translate_window_event(const SDL_WindowEvent &event)
{
    HWND hwnd = top_level_for(event.windowID);
    if (hwnd == nullptr) {
        return;
    }
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        platform::post_input(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        mark_for_present(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
        mark_for_present(hwnd);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        follow_user_resize(hwnd, to_system_pixels(event.data1), to_system_pixels(event.data2));
        break;
    default:
        break;
    }
}

}  // namespace

void translate_event(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_KEYDOWN: translate_key_down(event.key); break;
    case SDL_KEYUP: translate_key_up(event.key); break;
    case SDL_TEXTINPUT: translate_text(event.text); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: translate_button(event.button); break;
    case SDL_WINDOWEVENT: translate_window_event(event.window); break;
    default: break;
    }
}

void translate_pending_events()
{
    SDL_Event event;
    while (!menus::menu_is_open() && SDL_PollEvent(&event) == 1) {
        translate_event(event);
    }
}

}  // namespace qz370::sdl
