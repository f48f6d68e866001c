#include "entry/library_windows.h"

#include <cstdio>
#include <cstdlib>

namespace qz370::entry {

namespace {
constexpr UINT NO_SUCH_ITEM = static_cast<UINT>(-1);
constexpr int QUITS_BEFORE_GIVING_UP = 100;
HWND found_graphics_window = nullptr;
int quits_chosen = 0;
}  // namespace

HWND graphics_window()
{
    if (!IsWindow(found_graphics_window)) {
        found_graphics_window = FindWindowA(GRAPHICS_WINDOW_CLASS, nullptr);
    }
    return found_graphics_window;
}

bool choose_run_command(UINT id)
{
    HWND window = graphics_window();
    return window != nullptr && PostMessageA(window, WM_COMMAND, id, 0);
}

void insist_on_quit(const char *program_name)
{
    if (quits_chosen == QUITS_BEFORE_GIVING_UP) {
        std::fprintf(stderr, "%s: still running after Quit; ended\n", program_name);
        std::exit(STUCK_EXIT_CODE);
    }
    quits_chosen += 1;
    if (!choose_run_command(RUN_QUIT)) {
        PostQuitMessage(0);
    }
}

bool run_item_checked(UINT id)
{
    HWND window = graphics_window();
    UINT state = window != nullptr ? GetMenuState(GetMenu(window), id, MF_BYCOMMAND) : NO_SUCH_ITEM;
    return state != NO_SUCH_ITEM && (state & MF_CHECKED) != 0;
}

bool graphics_window_held_by_dialog()
{
    HWND window = graphics_window();
    return window != nullptr && !IsWindowEnabled(window);
}

}  // namespace qz370::entry
