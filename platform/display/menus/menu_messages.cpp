#include "display/menus/menu_messages.h"

#include <windows.h>

namespace qz370::menus {

namespace {

// A window whose painting never validates must not keep the loop from
// waiting: at most this many repaints between two waits.
constexpr int PAINTS_PER_ROUND = 16;

// False when it was the quit request, which goes back for the program.
bool dispatch_unless_quit(MSG &msg)
{
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    DispatchMessageA(&msg);
    return true;
}

}  // namespace

bool deliver_timers_and_paints()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        if (!dispatch_unless_quit(msg)) {
            return false;
        }
    }
    for (int painted = 0; painted < PAINTS_PER_ROUND && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++painted) {
        if (!dispatch_unless_quit(msg)) {
            return false;
        }
    }
    return true;
}

}  // namespace qz370::menus
