// "STATIC": a label. Its text is word-wrapped to its width from the top left,
// black on the dialog's grey.
#include "user/controls/classic_look.h"
#include "user/controls/control_classes.h"
#include "user/controls/text_layout.h"
#include "user/window_system.h"

namespace qz370::platform {

namespace {

void paint_static(HWND hwnd, const Window &window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    classic::fill(dc, client, classic::FACE);
    HGDIOBJ previous_font = classic::prepare_text(dc);
    const int height = classic::line_height(dc);
    const std::string &label = window.title;
    int y = 0;
    for (const TextLine &line : lay_out_text(dc, label, client.right, true)) {
        if (y >= client.bottom) {
            break;
        }
        TextOutA(dc, 0, y, label.data() + line.start, static_cast<int>(line.end - line.start));
        y += height;
    }
    SelectObject(dc, previous_font);
    EndPaint(hwnd, &paint);
}

}  // namespace

LRESULT CALLBACK static_control_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window *window = window_from(hwnd);
    switch (message) {
    case WM_PAINT:
        if (window != nullptr) {
            paint_static(hwnd, *window);
        }
        return 0;
    case WM_SETTEXT:
        return set_text_and_repaint(hwnd, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace qz370::platform
