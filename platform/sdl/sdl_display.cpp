// The desktop display's entry points for the window system.
#include "sdl/sdl_display.h"

#include <SDL.h>

#include "display_driver.h"
#include "sdl/menu_loop.h"
#include "sdl/screen_windows.h"
#include "sdl/sdl_clock.h"
#include "sdl/sdl_input.h"
#include "sdl/x11_error_filter.h"

namespace qz370::sdl {

namespace {

void screen_size(int *width, int *height)
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        mode.w = 0;
        mode.h = 0;
    }
    *width = mode.w;
    *height = mode.h;
}

// While a menu is open its loop reads the input itself; the window system's
// own look at the queue then only shows what changed.
void poll()
{
    if (!menu_is_tracked()) {
        translate_pending_events();
    }
    present_changed_windows();
}

void track_menu_from_keyboard(HWND hwnd, bool from_keyboard)
{
    constexpr int FIRST_BAR_ITEM = 0;
    track_menu(hwnd, FIRST_BAR_ITEM, from_keyboard);
}

const platform::DisplayDriver DESKTOP_DRIVER = {
    "sdl",
    screen_size,
    follow_window,
    forget_window,
    mark_for_present,
    now_ms,
    poll,
    wait_for_input,
    track_menu_from_keyboard,
};

// What the program asks of SDL: the system's own window surfaces rather than
// a GPU renderer (cheap on any X server), a click that activates a window
// still counting as a click, and the default handling of Ctrl+C.
void set_hints()
{
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
}

}  // namespace

bool use()
{
    set_hints();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    survive_wakeups_to_destroyed_windows();
    SDL_StartTextInput();
    platform::set_display_driver(&DESKTOP_DRIVER);
    return true;
}

}  // namespace qz370::sdl
