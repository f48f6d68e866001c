// The text window: each printed line is drawn at the bottom with everything
// above scrolled up one line; a repaint draws the whole ring again.
#include <cstring>

#include "library_state.h"

constexpr int TEXT_LEFT_MARGIN = 5;

static int line_height(HDC dc)
{
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

static void clear_bottom_strip(HDC dc, const RECT &client, int height)
{
    HBRUSH brush = CreateSolidBrush(GetBkColor(dc));
    HGDIOBJ kept_brush = SelectObject(dc, brush);
    HGDIOBJ kept_pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, client.left, client.bottom - height, client.right, client.bottom + 1);
    SelectObject(dc, kept_pen);
    SelectObject(dc, kept_brush);
    DeleteObject(brush);
}

// One trailing newline is left out; any other newline is drawn as it is, and
// nothing wraps.
static int drawn_length(const char *text)
{
    size_t n = strlen(text);
    if (n > 0 && text[n - 1] == '\n') {
        --n;
    }
    return static_cast<int>(n);
}

// Before the window exists (or after the user closed it) lines are stored
// but drawn nowhere.
void append_text_line(const char *text)
{
    if (text_window == nullptr) {
        return;
    }
    HDC dc = GetDC(text_window);
    if (dc == nullptr) {
        return;
    }
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    const int height = line_height(dc);
    ScrollDC(dc, 0, -height, nullptr, nullptr, nullptr, nullptr);
    RECT client;
    GetClientRect(text_window, &client);
    clear_bottom_strip(dc, client, height);
    TextOutA(dc, client.left + TEXT_LEFT_MARGIN, client.bottom - height, text, drawn_length(text));
    ReleaseDC(text_window, dc);
}

static void draw_logged_line(int32_t slot)
{
    HGLOBAL block = text_log.lines[slot];
    const char *line = static_cast<const char *>(GlobalLock(block));
    append_text_line(line);
    GlobalUnlock(block);
}

// Oldest first, so the newest line ends at the bottom; a full ring starts at
// next_slot and so draws all 25.
static void redraw_text_log()
{
    if (text_log.oldest == -1) {
        return;
    }
    int32_t slot = text_log.oldest;
    do {
        draw_logged_line(slot);
        slot = (slot + 1) % TEXT_LOG_LINES;
    } while (slot != text_log.next_slot);
}

LRESULT CALLBACK text_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        redraw_text_log();
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
        PostMessageA(graphics_window, message, wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void QZ370_text_window(int show)
{
    ShowWindow(text_window, show != 0 ? SW_SHOW : SW_HIDE);
}
