// SDL wakes its own wait by sending an event to one of its windows over a
// second connection to the X server. When the program destroys that window at
// the same moment, the server may see the destruction first and answer the
// event with BadWindow, which Xlib's default handler turns into exit(1). That
// answer is harmless: the window is gone and the wait is over anyway.
#include "sdl/x11_error_filter.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace qz370::sdl {

namespace {

XErrorHandler handler_before = nullptr;

int pass_on_all_but_lost_wakeups(Display *display, XErrorEvent *error)
{
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
        return 0;
    }
    return handler_before == nullptr ? 0 : handler_before(display, error);
}

}  // namespace

void survive_wakeups_to_destroyed_windows()
{
    const char *driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && SDL_strcmp(driver, "x11") == 0) {
        handler_before = XSetErrorHandler(pass_on_all_but_lost_wakeups);
    }
}

}  // namespace qz370::sdl
