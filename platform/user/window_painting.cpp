// Which windows need painting, and the calls that start and end a paint.
#include "user/window_internals.h"

namespace qz370::platform {

void invalidate_window(HWND hwnd, bool erase)
{
    WindowRecord *record = record_from(hwnd);
    if (record == nullptr) {
        return;
    }
    record->window.needs_paint = true;
    record->erase_pending = record->erase_pending || erase;
    for (HWND child : children_of(hwnd)) {
        invalidate_window(child, erase);
    }
}

HWND window_needing_paint(HWND filter)
{
    for (HWND hwnd : all_windows()) {
        bool wanted = matches_window_filter(hwnd, filter);
        if (wanted && window_from(hwnd)->needs_paint && is_visible_on_screen(hwnd)) {
            return hwnd;
        }
    }
    return nullptr;
}

void validate_window(HWND hwnd)
{
    Window *window = window_from(hwnd);
    if (window != nullptr) {
        window->needs_paint = false;
    }
}

bool take_erase_request(HWND hwnd)
{
    WindowRecord *record = record_from(hwnd);
    if (record == nullptr || !record->erase_pending) {
        return false;
    }
    record->erase_pending = false;
    return true;
}

}  // namespace qz370::platform

using namespace qz370::platform;

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT *, BOOL erase)
{
    if (hwnd == nullptr) {
        for (HWND top : top_level_windows()) {
            invalidate_window(top, erase != FALSE);
        }
        return TRUE;
    }
    if (!IsWindow(hwnd)) {
        return FALSE;
    }
    invalidate_window(hwnd, erase != FALSE);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hwnd)
{
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return FALSE;
    }
    if (window->needs_paint && is_visible_on_screen(hwnd)) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    Window *window = window_from(hwnd);
    if (window == nullptr || ps == nullptr) {
        return nullptr;
    }
    *ps = PAINTSTRUCT{};
    validate_window(hwnd);
    HDC hdc = GetDC(hwnd);
    ps->hdc = hdc;
    ps->rcPaint = RECT{0, 0, client_width(*window), client_height(*window)};
    if (take_erase_request(hwnd)) {
        ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
    }
    return hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT *ps)
{
    if (ps == nullptr) {
        return FALSE;
    }
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}
