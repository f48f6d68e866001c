// Calling a window's procedure, and the default handling of what it leaves.
#include "display/display_driver.h"
#include "gdi/gdi_internals.h"
#include "user/window_internals.h"

#include <algorithm>
#include <cstring>

namespace qz370::platform {

namespace {

constexpr WPARAM SYSTEM_COMMAND_MASK = 0xFFF0;  // the low four bits of a system command are the system's own
constexpr WPARAM MENU_MNEMONIC = 'R';           // Alt+R opens the menu bar

LRESULT erase_background(HWND hwnd, HDC hdc)
{
    Window *window = window_from(hwnd);
    RECT client{0, 0, client_width(*window), client_height(*window)};
    return fill_with_brush(hdc, client, window->background) ? TRUE : FALSE;
}

LRESULT set_title(HWND hwnd, LPCSTR text)
{
    Window *window = window_from(hwnd);
    window->title = text == nullptr ? "" : text;
    if (window->parent == nullptr) {
        display_driver().window_changed(hwnd);
    }
    return TRUE;
}

LRESULT copy_title(HWND hwnd, WPARAM capacity, LPSTR buffer)
{
    const std::string &title = window_from(hwnd)->title;
    if (buffer == nullptr || capacity == 0) {
        return 0;
    }
    size_t count = std::min<size_t>(title.size(), capacity - 1);
    std::memcpy(buffer, title.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

void open_menu_from_keyboard(HWND hwnd)
{
    HWND top = top_level_of(hwnd);
    const DisplayDriver &driver = display_driver();
    if (window_from(top)->menu != nullptr && driver.track_menu != nullptr) {
        driver.track_menu(top, true);
    }
}

bool opens_menu(UINT msg, WPARAM key)
{
    return ((msg == WM_SYSKEYDOWN || msg == WM_KEYDOWN) && key == VK_F10) ||
           (msg == WM_SYSKEYDOWN && key == MENU_MNEMONIC);
}

}  // namespace

}  // namespace qz370::platform

using namespace qz370::platform;

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window *window = window_from(hwnd);
    if (window == nullptr || window->proc == nullptr) {
        return 0;
    }
    WNDPROC proc = window->proc;
    enter_window_procedure();
    LRESULT result = proc(hwnd, msg, wParam, lParam);
    leave_window_procedure();
    return result;
}

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(hwnd)) {
        return 0;
    }
    if (opens_menu(msg, wParam)) {
        open_menu_from_keyboard(hwnd);
        return 0;
    }
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & SYSTEM_COMMAND_MASK) == SC_CLOSE) {
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return erase_background(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT:
        return set_title(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return copy_title(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window_from(hwnd)->title.size());
    default:
        return 0;
    }
}
