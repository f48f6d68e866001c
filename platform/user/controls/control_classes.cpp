// Registering the built-in classes with the window system.
#include "user/controls/classic_look.h"
#include "user/controls/control_classes.h"
#include "user/window_system.h"

namespace qz370::platform {

namespace {

void register_class(const char *name, WNDPROC proc, COLORREF background)
{
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = proc;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = CreateSolidBrush(background);
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
}

}  // namespace

void register_control_classes()
{
    register_class(DIALOG_CLASS_NAME, dialog_class_proc, classic::FACE);
    register_class(EDIT_CLASS_NAME, edit_control_proc, classic::WINDOW_BACKGROUND);
    register_class(BUTTON_CLASS_NAME, button_control_proc, classic::FACE);
    register_class(STATIC_CLASS_NAME, static_control_proc, classic::FACE);
}

int control_id(HWND control)
{
    const Window *window = window_from(control);
    return window == nullptr ? 0 : static_cast<int>(reinterpret_cast<uintptr_t>(window->menu));
}

LRESULT set_text_and_repaint(HWND control, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = DefWindowProcA(control, WM_SETTEXT, wParam, lParam);
    InvalidateRect(control, nullptr, TRUE);
    return result;
}

}  // namespace qz370::platform
