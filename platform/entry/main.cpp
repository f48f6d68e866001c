// The program's start-up: picks a display, then hands over to WinMain.
#include <windows.h>

#include "headless.h"
#include "display/sdl/sdl_display.h"

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
// none. The desktop's windows go with the process, as every window does:
// closing SDL first would only read back answers the X server still owes,
// after SDL has put back the X error handler that makes any of them fatal.
int main()
{
    if (headless_requested()) {
        qz370::headless::use();
    } else if (!qz370::sdl::use()) {
        std::fprintf(stderr,
                     "vortaline: no display available (set QZ370_DISPLAY=headless, or replay a script with "
                     "qz370-replay)\n");
        return NO_DISPLAY_EXIT_CODE;
    }
    return WinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
}
