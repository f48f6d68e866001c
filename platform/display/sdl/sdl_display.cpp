// The desktop display's entry points for the window system.
#include "display/sdl/sdl_display.h"

#include <SDL.h>

#include "display/display_driver.h"
#include "display/sdl/menu_loop.h"
#include "display/sdl/screen_windows.h"
#include "display/sdl/sdl_clock.h"
#include "display/sdl/sdl_input.h"
#include "display/sdl/window_scale.h"

namespace qz370::sdl {

namespace {

// The screen the program sees: the real one in enlarged pixels.
void screen_size(int *width, int *height)
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        mode.w = 0;
        mode.h = 0;
    }
    *width = to_system_pixels(mode.w);
    *height = to_system_pixels(mode.h);
}

void poll()
{
    translate_pending_events();
    present_changed_windows();
}

const platform::DisplayDriver DESKTOP_DRIVER = {
    "sdl",
    screen_size,
    follow_window,
    forget_window,
    activate,
    mark_client_for_present,
    now_ms,
    poll,
    wait_for_input,
    track_menu_bar,
};

// What the program asks of SDL: the system's own window surfaces rather than
// a GPU renderer (cheap on any X server), a click that activates a window
// still counting as a click, the default handling of Ctrl+C, and a screen
// saver left alone.
void set_hints()
{
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
}

// Without a display SDL's own probing of the others only prints noise.
bool display_named()
{
    return SDL_getenv("DISPLAY") != nullptr || SDL_getenv("WAYLAND_DISPLAY") != nullptr ||
           SDL_GetHint(SDL_HINT_VIDEODRIVER) != nullptr;
}

// Failing every screen, SDL falls back to drivers that show nothing; such a
// driver is a display only when asked for by name.
bool shows_nothing_unasked()
{
    constexpr const char *SCREENLESS_DRIVERS[] = {"offscreen", "dummy", "evdev"};
    const char *driver = SDL_GetCurrentVideoDriver();
    const char *asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    for (const char *screenless : SCREENLESS_DRIVERS) {
        if (driver != nullptr && SDL_strcmp(driver, screenless) == 0) {
            return asked == nullptr || SDL_strstr(asked, screenless) == nullptr;
        }
    }
    return false;
}

}  // namespace

bool use()
{
    set_hints();
    if (!display_named() || SDL_Init(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    if (shows_nothing_unasked()) {
        SDL_Quit();
        return false;
    }
    choose_window_scale();
    SDL_StartTextInput();
    platform::set_display_driver(&DESKTOP_DRIVER);
    return true;
}

}  // namespace qz370::sdl

// GCC tells of AddressSanitizer with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define LEAKS_ARE_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LEAKS_ARE_CHECKED 1
#endif
#endif

#if defined(LEAKS_ARE_CHECKED)
// libdbus, which SDL's video start-up probes the session bus with, keeps a few
// bytes for good; the stacks stop inside it, so only its name can tell them.
extern "C" const char *__lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
extern "C" const char *__lsan_default_options() { return "print_suppressions=0"; }
#endif
