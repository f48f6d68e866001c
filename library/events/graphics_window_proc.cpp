// The graphics window's procedure: dispatches each message to the part of the
// library that handles it, and keeps the window centre, the painted window and
// the timer flag up to date itself.
#include "library_state.h"

int32_t centre_x = 0;
int32_t centre_y = 0;

namespace {

void update_centre(HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    centre_x = (client.right - client.left) / 2 + client.left;
    centre_y = (client.bottom - client.top) / 2 + client.top;
}

// Copies through window_dc rather than the paint context, whether or not the
// canvas is dirty: the window's pixels may have been lost.
void paint_window(HWND hwnd)
{
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    present_canvas();
    EndPaint(hwnd, &paint);
}

void stop_on_destroy(HWND hwnd)
{
    KillTimer(hwnd, ANIMATION_TIMER_ID);
    PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK graphics_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        build_run_menu(hwnd);
        return 0;
    case WM_DESTROY:
        stop_on_destroy(hwnd);
        return 0;
    case WM_SIZE:
        update_centre(hwnd);
        return 0;
    case WM_PAINT:
        paint_window(hwnd);
        return 0;
    case WM_KEYDOWN:
        handle_key_down(wParam);
        return 0;
    case WM_KEYUP:
        handle_key_up(wParam);
        return 0;
    case WM_CHAR:
        handle_char(wParam);
        return 0;
    case WM_COMMAND:
        perform_run_command(wParam);
        return 0;
    case WM_TIMER:
        input.timer_fired = 1;
        return 0;
    case WM_LBUTTONDOWN:
        handle_left_button_down(lParam);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
