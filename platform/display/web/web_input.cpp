// The page's input turned into the messages of the windows it is meant for,
// as the desktop turns SDL's events.
#include "display/web/web_input.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "display/menus/menu_tracking.h"
#include "display/web/web_display.h"
#include "display/web/web_menu.h"
#include "gdi/fonts/cp1252.h"
#include "user/window_internals.h"

namespace qz370::web {

namespace {

using platform::ALT_HELD;
using platform::KEY_RELEASED;
using platform::KEY_WAS_DOWN;
using platform::REPEAT_ONCE;

constexpr int FIELD_BUTTON = 4;
constexpr int FIELD_MODIFIERS = 4;
constexpr int RIGHT_BUTTON = 2;

// An input read ahead by input_pending(), not yet translated.
std::optional<std::vector<int32_t>> read_ahead;
// Keys that typed a character: their key-ups go nowhere, as the typed
// character came with its own.
std::vector<int32_t> typing_keys;
HWND last_clicked = nullptr;

// Keys go to the window with the focus; failing that, to the window last
// clicked or the first one shown.
HWND keyboard_target()
{
    if (HWND focus = GetFocus(); focus != nullptr && IsWindowVisible(platform::top_level_of(focus))) {
        return focus;
    }
    if (last_clicked != nullptr && IsWindowVisible(last_clicked)) {
        return last_clicked;
    }
    for (HWND top : platform::top_level_windows()) {
        if (IsWindowVisible(top)) {
            return top;
        }
    }
    return nullptr;
}

void translate_mouse(const int32_t *fields)
{
    HWND top = handle_of(fields[FIELD_WINDOW]);
    if (!IsWindow(top)) {
        return;
    }
    bool down = fields[FIELD_KIND] == MOUSE_DOWN;
    bool right = fields[FIELD_BUTTON] == RIGHT_BUTTON;
    if (down) {
        last_clicked = top;
    }
    POINT point{fields[FIELD_X], fields[FIELD_Y]};
    HWND target = platform::window_under(top, &point);
    UINT message = right ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP) : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
    WPARAM held = down ? (right ? platform::MOUSE_RIGHT_HELD : platform::MOUSE_LEFT_HELD) : 0;
    platform::post_input(target, message, held, MAKELPARAM(point.x, point.y));
}

bool is_system_key(int32_t virtual_key, int32_t modifiers)
{
    bool alt = (modifiers & ALT_KEY_HELD) != 0;
    bool ctrl = (modifiers & CONTROL_HELD) != 0;
    return virtual_key == VK_F10 || virtual_key == VK_MENU || (alt && !ctrl);
}

LPARAM key_data(int32_t modifiers, bool released)
{
    DWORD data = REPEAT_ONCE | ((modifiers & ALT_KEY_HELD) != 0 ? ALT_HELD : 0) |
                 (released ? KEY_WAS_DOWN | KEY_RELEASED : 0);
    return static_cast<LPARAM>(data);
}

// With Ctrl or Alt held a key gives a command, not the layout's character:
// TranslateMessage makes the control code from the key itself.
void translate_key_down(const int32_t *fields)
{
    HWND target = keyboard_target();
    if (target == nullptr) {
        return;
    }
    int32_t virtual_key = fields[FIELD_X];
    int32_t modifiers = fields[FIELD_MODIFIERS];
    bool system = is_system_key(virtual_key, modifiers);
    int character = fonts::cp1252_from_unicode(static_cast<uint32_t>(fields[FIELD_Y]));
    if (character != fonts::NO_CP1252_BYTE && !system && (modifiers & CONTROL_HELD) == 0) {
        platform::post_typed_character(target, static_cast<unsigned char>(character));
        if (std::find(typing_keys.begin(), typing_keys.end(), virtual_key) == typing_keys.end()) {
            typing_keys.push_back(virtual_key);
        }
    } else if (virtual_key != 0) {
        platform::post_input(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtual_key),
                             key_data(modifiers, false));
    }
}

void translate_key_up(const int32_t *fields)
{
    int32_t virtual_key = fields[FIELD_X];
    auto typing = std::find(typing_keys.begin(), typing_keys.end(), virtual_key);
    if (typing != typing_keys.end()) {
        typing_keys.erase(typing);
        return;
    }
    HWND target = keyboard_target();
    if (target != nullptr && virtual_key != 0) {
        bool system = is_system_key(virtual_key, fields[FIELD_MODIFIERS]);
        platform::post_input(target, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(virtual_key),
                             key_data(fields[FIELD_MODIFIERS], true));
    }
}

void translate(const int32_t *fields)
{
    switch (fields[FIELD_KIND]) {
    case MOUSE_DOWN:
    case MOUSE_UP: translate_mouse(fields); break;
    case MENU_BAR_DOWN:
        if (HWND top = handle_of(fields[FIELD_WINDOW]); IsWindow(top) && IsWindowEnabled(top)) {
            last_clicked = top;
            track_menu_at(top, fields[FIELD_X]);
        }
        break;
    case KEY_DOWN: translate_key_down(fields); break;
    case KEY_UP: translate_key_up(fields); break;
    case CLOSE:
        if (HWND top = handle_of(fields[FIELD_WINDOW]); IsWindow(top)) {
            platform::post_input(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    default: break;
    }
}

}  // namespace

bool next_input(int32_t *fields)
{
    if (read_ahead) {
        std::copy(read_ahead->begin(), read_ahead->end(), fields);
        read_ahead.reset();
        return true;
    }
    return qz370_page_next_input(fields) != 0;
}

bool input_pending()
{
    if (!read_ahead) {
        std::vector<int32_t> fields(INPUT_FIELDS);
        if (qz370_page_next_input(fields.data()) != 0) {
            read_ahead = std::move(fields);
        }
    }
    return read_ahead.has_value();
}

void translate_pending_input()
{
    int32_t fields[INPUT_FIELDS];
    while (!menus::menu_is_open() && next_input(fields)) {
        translate(fields);
    }
}

}  // namespace qz370::web
