// The program's start-up: picks a display, then hands over to WinMain.
#include <windows.h>

#include <SDL.h>

#include "headless.h"
#include "sdl/sdl_display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int NO_DISPLAY_EXIT_CODE = 2;

bool headless_requested()
{
    const char *display = std::getenv("QZ370_DISPLAY");
    return display != nullptr && std::strcmp(display, "headless") == 0;
}

}  // namespace

// The desktop when there is a screen to open; QZ370_DISPLAY=headless asks for
// none.
int main()
{
    bool desktop = false;
    if (headless_requested()) {
        qz370::headless::use();
    } else if (qz370::sdl::use()) {
        desktop = true;
    } else {
        std::fprintf(stderr,
                     "vortaline: no display available (set QZ370_DISPLAY=headless, or replay a script with "
                     "qz370-replay)\n");
        return NO_DISPLAY_EXIT_CODE;
    }
    int exit_code = WinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    if (desktop) {
        SDL_Quit();
    }
    return exit_code;
}
