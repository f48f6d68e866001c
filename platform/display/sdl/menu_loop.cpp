#include "display/sdl/menu_loop.h"

#include <utility>
#include <vector>

#include "display/menus/menu_tracking.h"
#include "display/sdl/key_codes.h"
#include "display/sdl/screen_windows.h"
#include "display/sdl/sdl_clock.h"
#include "display/sdl/sdl_input.h"
#include "display/sdl/window_scale.h"

namespace qz370::sdl {

using namespace menus;  // the loop, shared with the web page

namespace {

// Releases of Shift and Ctrl while the menu is open, handed on once it closes,
// so the program does not think them still held.
std::vector<SDL_Event> modifier_releases;

void keep_modifier_release(const SDL_Event &event)
{
    int virtual_key = virtual_key_of(event.key.keysym);
    if (virtual_key == VK_CONTROL || virtual_key == VK_SHIFT) {
        modifier_releases.push_back(event);
    }
}

void hand_on_modifier_releases()
{
    for (const SDL_Event &release : std::exchange(modifier_releases, {})) {
        translate_event(release);
    }
}

MenuEvent pointer_event(MenuEventKind kind, Uint32 window_id, int x, int y)
{
    const ScreenWindow *screen = screen_window_with_id(window_id);
    return MenuEvent{.kind = kind,
                     .window = screen == nullptr ? nullptr : screen->hwnd,
                     .point = POINT{to_system_pixels(x), to_system_pixels(y)}};
}

void hand_on(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        handle_menu_event(MenuEvent{
            .kind = KEY_PRESSED, .virtual_key = virtual_key_of(event.key.keysym), .repeat = event.key.repeat != 0});
        break;
    case SDL_KEYUP: keep_modifier_release(event); break;
    case SDL_MOUSEMOTION:
        handle_menu_event(pointer_event(POINTER_MOVED, event.motion.windowID, event.motion.x, event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
        handle_menu_event(pointer_event(BUTTON_PRESSED, event.button.windowID, event.button.x, event.button.y));
        break;
    case SDL_MOUSEBUTTONUP:
        handle_menu_event(pointer_event(BUTTON_RELEASED, event.button.windowID, event.button.x, event.button.y));
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            handle_menu_event(MenuEvent{.kind = WINDOW_CLOSING});
        }
        translate_event(event);  // exposure, resizing and closing go on as ever
        break;
    default: break;
    }
}

void take_input(int64_t deadline_ms)
{
    SDL_Event event;
    if (next_event_before(deadline_ms, &event)) {
        hand_on(event);
    }
}

const MenuScreen DESKTOP_MENUS = {mark_for_present, present_changed_windows, take_input};

bool can_track(HWND hwnd) { return !menu_is_open() && screen_window_of(hwnd) != nullptr; }

}  // namespace

void track_menu_bar(HWND hwnd, bool from_keyboard)
{
    if (can_track(hwnd)) {
        menus::track_menu_bar(hwnd, from_keyboard, DESKTOP_MENUS);
        hand_on_modifier_releases();
    }
}

void track_menu_at(HWND hwnd, int x)
{
    if (can_track(hwnd)) {
        menus::track_menu_at(hwnd, x, DESKTOP_MENUS);
        hand_on_modifier_releases();
    }
}

}  // namespace qz370::sdl
