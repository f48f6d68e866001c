// The menu bar of a top-level window: attaching it changes the client area.
#include "display/display_driver.h"
#include "user/window_internals.h"

using namespace qz370::platform;

BOOL WINAPI SetMenu(HWND hwnd, HMENU menu)
{
    Window *window = window_from(hwnd);
    if (window == nullptr || window->parent != nullptr || (menu != nullptr && menu_from(menu) == nullptr)) {
        return FALSE;
    }
    window->menu = menu;
    bool resized = update_client(hwnd);
    display_driver().window_changed(hwnd);
    if (resized) {
        send_size(hwnd);
        invalidate_window(hwnd, true);
    }
    return TRUE;
}

HMENU WINAPI GetMenu(HWND hwnd)
{
    Window *window = window_from(hwnd);
    return window == nullptr || window->parent != nullptr ? nullptr : window->menu;
}

BOOL WINAPI DrawMenuBar(HWND hwnd)
{
    Window *window = window_from(hwnd);
    if (window == nullptr || window->parent != nullptr) {
        return FALSE;
    }
    display_driver().window_changed(hwnd);
    return TRUE;
}
