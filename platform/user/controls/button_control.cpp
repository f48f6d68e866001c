// "BUTTON": a push button, or the dialog's default push button with its heavy
// black outline. It looks pressed while the mouse button or Space is down on
// it and tells its parent BN_CLICKED when released over it.
#include "user/controls/classic_look.h"
#include "user/controls/control_classes.h"
#include "user/window_system.h"

#include <unordered_map>

namespace qz370::platform {

namespace {

constexpr DWORD BUTTON_TYPE_MASK = 0x0000000F;
constexpr int PRESSED_TEXT_SHIFT = 1;
constexpr int FOCUS_INSET = 4;

std::unordered_map<HWND, bool> pressed_buttons;

RECT inset(const RECT &box, int by)
{
    return RECT{box.left + by, box.top + by, box.right - by, box.bottom - by};
}

void paint_button(HWND hwnd, const Window &window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT box;
    GetClientRect(hwnd, &box);
    const bool pressed = pressed_buttons[hwnd];
    classic::fill(dc, box, classic::FACE);
    if (is_default_button(hwnd)) {
        classic::outline(dc, box, classic::DARK_SHADOW);
        box = inset(box, 1);
    }
    if (pressed) {
        classic::outline(dc, box, classic::SHADOW);
    } else {
        classic::bevel(dc, box, classic::HIGHLIGHT, classic::DARK_SHADOW);
        classic::bevel(dc, inset(box, 1), classic::FACE, classic::SHADOW);
    }
    HGDIOBJ previous_font = classic::prepare_text(dc);
    const int length = static_cast<int>(window.title.size());
    const int shift = pressed ? PRESSED_TEXT_SHIFT : 0;
    const int x = box.left + (box.right - box.left - classic::text_width(dc, window.title.data(), length)) / 2;
    const int y = box.top + (box.bottom - box.top - classic::line_height(dc)) / 2;
    TextOutA(dc, x + shift, y + shift, window.title.data(), length);
    SelectObject(dc, previous_font);
    if (GetFocus() == hwnd) {
        classic::focus_outline(dc, inset(box, FOCUS_INSET - 1));
    }
    EndPaint(hwnd, &paint);
}

void set_pressed(HWND hwnd, bool pressed)
{
    if (pressed_buttons[hwnd] != pressed) {
        pressed_buttons[hwnd] = pressed;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

bool inside_client(HWND hwnd, LPARAM position)
{
    RECT client;
    GetClientRect(hwnd, &client);
    const int x = static_cast<short>(LOWORD(position));
    const int y = static_cast<short>(HIWORD(position));
    return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

// Released: a click if it was pressed and the release is over it.
void release(HWND hwnd, bool over_button)
{
    const bool was_pressed = pressed_buttons[hwnd];
    set_pressed(hwnd, false);
    const Window *window = window_from(hwnd);
    if (was_pressed && over_button && window != nullptr && window->parent != nullptr) {
        SendMessageA(window->parent, WM_COMMAND, MAKEWPARAM(control_id(hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
    }
}

}  // namespace

bool is_default_button(HWND control)
{
    const Window *window = window_from(control);
    return window != nullptr && window->class_name == BUTTON_CLASS_NAME &&
           (window->style & BUTTON_TYPE_MASK) == BS_DEFPUSHBUTTON;
}

LRESULT CALLBACK button_control_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window *window = window_from(hwnd);
    switch (message) {
    case WM_PAINT:
        if (window != nullptr) {
            paint_button(hwnd, *window);
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        set_pressed(hwnd, true);
        return 0;
    case WM_LBUTTONUP:
        release(hwnd, inside_client(hwnd, lParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            set_pressed(hwnd, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            release(hwnd, true);
        }
        return 0;
    case WM_SETFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS:
        set_pressed(hwnd, false);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETTEXT:
        return set_text_and_repaint(hwnd, wParam, lParam);
    case WM_NCDESTROY:
        pressed_buttons.erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace qz370::platform
