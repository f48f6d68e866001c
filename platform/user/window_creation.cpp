// Creating and destroying windows, with the messages Win32 sends on the way.
#include "display/display_driver.h"
#include "user/window_internals.h"

#include <algorithm>

namespace qz370::platform {

namespace {

constexpr LRESULT CREATE_FAILED = -1;

int default_extent(int requested, int screen_extent, bool child)
{
    if (requested == CW_USEDEFAULT) {
        return child ? 0 : screen_extent * 3 / 4;
    }
    return std::clamp(requested, 0, MAX_WINDOW_EXTENT);
}

int default_position(int requested)
{
    if (requested == CW_USEDEFAULT) {
        return 0;
    }
    return std::clamp(requested, -MAX_WINDOW_POSITION, MAX_WINDOW_POSITION);
}

RECT initial_frame(int x, int y, int width, int height, bool child)
{
    int screen_width = 0;
    int screen_height = 0;
    display_driver().screen_size(&screen_width, &screen_height);
    int left = default_position(x);
    // As in Win32, a default x makes y default too.
    int top = x == CW_USEDEFAULT ? 0 : default_position(y);
    int right = left + default_extent(width, screen_width, child);
    int bottom = top + default_extent(height, screen_height, child);
    return RECT{left, top, right, bottom};
}

Window new_window(const WindowClass &window_class, LPCSTR title, DWORD style, DWORD ex_style, HWND parent,
                  HWND owner, HMENU menu, HINSTANCE instance)
{
    Window window{};
    window.class_name = window_class.name;
    window.title = title == nullptr ? "" : title;
    window.proc = window_class.proc;
    window.class_style = window_class.style;
    window.style = style & ~WS_VISIBLE;
    window.ex_style = ex_style;
    window.background = window_class.background;
    window.instance = instance;
    window.parent = parent;
    window.owner = owner;
    window.menu = menu;
    window.enabled = (style & WS_DISABLED) == 0;
    return window;
}

void destroy_owned_windows(HWND owner)
{
    for (HWND hwnd : top_level_windows()) {
        Window *window = window_from(hwnd);
        if (window != nullptr && window->owner == owner) {
            DestroyWindow(hwnd);
        }
    }
}

}  // namespace

}  // namespace qz370::platform

using namespace qz370::platform;

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    ensure_control_classes();
    const WindowClass *window_class = find_class(className);
    bool child = (style & WS_CHILD) != 0;
    if (window_class == nullptr || (child && !IsWindow(parent)) || (parent != nullptr && !IsWindow(parent))) {
        return nullptr;
    }
    HWND owner = child ? nullptr : top_level_of(parent);
    HWND hwnd = add_window(new_window(*window_class, windowName, style, exStyle, child ? parent : nullptr, owner,
                                      menu, instance));
    set_frame(hwnd, initial_frame(x, y, width, height, child));

    Window *window = window_from(hwnd);
    CREATESTRUCTA create{param,
                         instance,
                         menu,
                         parent,
                         window->frame.bottom - window->frame.top,
                         window->frame.right - window->frame.left,
                         window->frame.top,
                         window->frame.left,
                         static_cast<LONG>(style),
                         windowName,
                         className,
                         exStyle};
    if (SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == FALSE ||
        SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == CREATE_FAILED) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        return nullptr;  // its procedure destroyed it while it was being created
    }
    if (!child) {
        display_driver().window_changed(hwnd);
    }
    send_size(hwnd);
    if ((style & WS_VISIBLE) != 0 && IsWindow(hwnd)) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd)
{
    WindowRecord *record = record_from(hwnd);
    if (record == nullptr || record->destroying) {
        return FALSE;
    }
    record->destroying = true;
    HWND parent = record->window.parent;
    destroy_owned_windows(hwnd);
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : children_of(hwnd)) {
        DestroyWindow(child);
    }
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    kill_timers_of(hwnd);
    clear_focus_if(hwnd);
    if (parent == nullptr) {
        display_driver().window_destroyed(hwnd);
    } else if (is_visible_on_screen(hwnd)) {
        invalidate_window(parent, true);
    }
    bury_window(hwnd);
    return TRUE;
}
