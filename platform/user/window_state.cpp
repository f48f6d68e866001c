// A window's visibility, enabled state, focus, parent and text.
#include "display/display_driver.h"
#include "user/window_internals.h"

namespace qz370::platform {

namespace {

HWND focus_window = nullptr;

void tell_driver_if_top_level(HWND hwnd)
{
    Window *window = window_from(hwnd);
    if (window != nullptr && window->parent == nullptr) {
        display_driver().window_changed(hwnd);
    }
}

BOOL hide_window(HWND hwnd)
{
    SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return TRUE;
    }
    window->visible = false;
    if (window->parent != nullptr) {
        invalidate_window(window->parent, true);
    }
    tell_driver_if_top_level(hwnd);
    return TRUE;
}

BOOL show_window(HWND hwnd)
{
    SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
    WindowRecord *record = record_from(hwnd);
    if (record == nullptr) {
        return FALSE;
    }
    record->window.visible = true;
    if (!record->ever_shown) {
        record->ever_shown = true;
        send_size(hwnd);
    }
    invalidate_window(hwnd, true);
    tell_driver_if_top_level(hwnd);
    return FALSE;
}

// As in Win32, the focus moving into another top-level window makes that
// window the active one: the display hands it the keyboard, as when a dialog
// gives the focus back to its owner on closing.
void activate_if_moved(HWND previous, HWND focus)
{
    const DisplayDriver &driver = display_driver();
    if (focus == nullptr || driver.activate == nullptr) {
        return;
    }
    HWND top = top_level_of(focus);
    if (previous == nullptr || top_level_of(previous) != top) {
        driver.activate(top);
    }
}

}  // namespace

void clear_focus_if(HWND hwnd)
{
    if (focus_window == hwnd) {
        focus_window = nullptr;
    }
}

}  // namespace qz370::platform

using namespace qz370::platform;

BOOL WINAPI ShowWindow(HWND hwnd, int cmd)
{
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return FALSE;
    }
    if (cmd == SW_HIDE) {
        return window->visible ? hide_window(hwnd) : FALSE;
    }
    return window->visible ? TRUE : show_window(hwnd);
}

BOOL WINAPI IsWindowVisible(HWND hwnd)
{
    return is_visible_on_screen(hwnd);
}

BOOL WINAPI IsWindowEnabled(HWND hwnd)
{
    Window *window = window_from(hwnd);
    return window != nullptr && window->enabled;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable)
{
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return FALSE;
    }
    bool was_disabled = !window->enabled;
    if (was_disabled == (enable == FALSE)) {
        return was_disabled;
    }
    window->enabled = enable != FALSE;
    if (!window->enabled) {
        clear_focus_if(hwnd);
    }
    SendMessageA(hwnd, WM_ENABLE, enable != FALSE, 0);
    return was_disabled;
}

HWND WINAPI GetParent(HWND hwnd)
{
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return nullptr;
    }
    return window->parent != nullptr ? window->parent : window->owner;
}

HWND WINAPI SetFocus(HWND hwnd)
{
    if (hwnd != nullptr && (!IsWindow(hwnd) || !accepts_input(hwnd))) {
        return nullptr;
    }
    HWND previous = IsWindow(focus_window) ? focus_window : nullptr;
    if (previous == hwnd) {
        return previous;
    }
    focus_window = hwnd;
    if (previous != nullptr) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd != nullptr && focus_window == hwnd) {
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
        activate_if_moved(previous, hwnd);
    }
    return previous;
}

HWND WINAPI GetFocus(void)
{
    return IsWindow(focus_window) ? focus_window : nullptr;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR text, int max_count)
{
    if (text == nullptr || max_count <= 0 || !IsWindow(hwnd)) {
        return 0;
    }
    text[0] = '\0';
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(max_count), reinterpret_cast<LPARAM>(text)));
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text)
{
    if (!IsWindow(hwnd)) {
        return FALSE;
    }
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != FALSE;
}
