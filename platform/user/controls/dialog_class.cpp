// The dialog class: hands every message to the dialog procedure first and does
// the default dialog handling for what it leaves. The dialog paints its grey
// face and the thin black frames of its bordered controls, which lie outside
// the controls' own client areas.
#include "user/controls/classic_look.h"
#include "user/controls/control_classes.h"
#include "user/window_system.h"

namespace qz370::platform {

namespace {

constexpr int THIN_FRAME = 1;

bool has_thin_border(const Window &control)
{
    return (control.style & WS_BORDER) != 0 && (control.style & WS_CAPTION) != WS_CAPTION;
}

void paint_dialog(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    classic::fill(dc, client, classic::FACE);
    for (HWND child : children_of(hwnd)) {
        const Window *control = window_from(child);
        if (control != nullptr && control->visible && has_thin_border(*control)) {
            const RECT &box = control->client;
            classic::outline(dc,
                             RECT{box.left - THIN_FRAME, box.top - THIN_FRAME, box.right + THIN_FRAME,
                                  box.bottom + THIN_FRAME},
                             classic::DARK_SHADOW);
        }
    }
    EndPaint(hwnd, &paint);
}

// Esc, the close box and Close from the system menu all come here, as a
// request to cancel that the dialog procedure may take or leave.
void request_cancel(HWND hwnd)
{
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace

LRESULT CALLBACK dialog_class_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window *window = window_from(hwnd);
    if (window != nullptr && window->dialog_proc != nullptr) {
        const INT_PTR handled = window->dialog_proc(hwnd, message, wParam, lParam);
        if (handled != FALSE) {
            return handled;
        }
    }
    switch (message) {
    case WM_PAINT:
        paint_dialog(hwnd);
        return 0;
    case WM_CLOSE:
        request_cancel(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace qz370::platform
