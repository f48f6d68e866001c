// Painting held back until someone looks: whatever reads a window's pixels,
// and whenever, must see what drawing every call at once would have left.
#include "gdi/deferred_painting.h"
#include "platform/window_test_support.h"

#include <string>
#include <vector>

using namespace window_test;
namespace platform = qz370::platform;

namespace {

constexpr COLORREF STEADY = RGB(250, 250, 240);

// Rounds that print on one background, the whole client erased in it first:
// the strip a line clears need not be painted again right of the text.
bool steady_round(int round)
{
    return round % 400 >= 100 && round % 400 < 300;
}

// A line printed as the text window prints it, in colours, modes and lengths
// (some wider than the window) that change from round to round.
void print_line(HWND hwnd, int round)
{
    HDC hdc = GetDC(hwnd);
    SelectObject(hdc, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA metrics;
    GetTextMetricsA(hdc, &metrics);
    const int height = metrics.tmHeight;
    RECT client;
    GetClientRect(hwnd, &client);
    if (round % 400 == 100) {
        HBRUSH steady = CreateSolidBrush(STEADY);
        HGDIOBJ kept_brush = SelectObject(hdc, steady);
        HGDIOBJ kept_pen = SelectObject(hdc, GetStockObject(NULL_PEN));
        Rectangle(hdc, 0, 0, client.right + 1, client.bottom + 1);
        SelectObject(hdc, kept_pen);
        DeleteObject(SelectObject(hdc, kept_brush));
    }
    SetTextColor(hdc, RGB(round * 53 % 256, 0, 120));
    SetBkColor(hdc, steady_round(round) ? STEADY : RGB(250, round * 29 % 256, 240));
    SetBkMode(hdc, round % 7 == 3 ? TRANSPARENT : OPAQUE);
    ScrollDC(hdc, 0, -(height - round % 3 % 2), nullptr, nullptr, nullptr, nullptr);  // a row short at times
    HBRUSH brush = CreateSolidBrush(GetBkColor(hdc));
    HGDIOBJ kept_brush = SelectObject(hdc, brush);
    HGDIOBJ kept_pen = SelectObject(hdc, GetStockObject(NULL_PEN));
    Rectangle(hdc, 0, client.bottom - height, client.right, client.bottom + 1);
    const int marked = client.bottom - 1 - round % height;  // a pixel in the last column, which the strip keeps
    Rectangle(hdc, client.right - 1, marked, client.right + 1, marked + 2);
    SelectObject(hdc, kept_pen);
    SelectObject(hdc, kept_brush);
    DeleteObject(brush);
    const std::string text =
        "line " + std::to_string(round) +
        std::string(steady_round(round) ? round % 4 : round % 11 * 3, static_cast<char>('A' + round % 26));
    TextOutA(hdc, 5, client.bottom - height, text.c_str(), static_cast<int>(text.size()));
    ReleaseDC(hwnd, hdc);
}

// Scrolls on without a line of its own, then paints over the whole width
// above the strip (in some rounds but for part of the row the scroll filled)
// and over the strip but for a gap where the last line's text still shows.
void cover_around_last_line(HWND hwnd, int round)
{
    HDC hdc = GetDC(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    ScrollDC(hdc, 0, -13, nullptr, nullptr, nullptr, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(round % 256, 90, 90));
    HBRUSH brush = CreateSolidBrush(RGB(round % 256, 90, 90));
    HGDIOBJ kept_pen = SelectObject(hdc, pen);
    HGDIOBJ kept_brush = SelectObject(hdc, brush);
    const int left_above = round % 100 / 50;
    Rectangle(hdc, 0, 0, client.right, client.bottom - 13 - left_above);
    Rectangle(hdc, 0, client.bottom - 13, 3, client.bottom);
    Rectangle(hdc, 150, client.bottom - 13, client.right, client.bottom);
    if (left_above > 0) {
        SelectObject(hdc, GetStockObject(NULL_PEN));
        Rectangle(hdc, 0, client.bottom - 14, 151, client.bottom - 12);  // the row left, as far as the gap reaches
    }
    SelectObject(hdc, kept_pen);
    SelectObject(hdc, kept_brush);
    DeleteObject(pen);
    DeleteObject(brush);
    ReleaseDC(hwnd, hdc);
}

// Boxes and text through a child's context, cut at the child's edges.
void draw_in_child(HWND child, int round)
{
    HDC hdc = GetDC(child);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, round % 256, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, round % 256, 0));
    HGDIOBJ kept_pen = SelectObject(hdc, pen);
    HGDIOBJ kept_brush = SelectObject(hdc, brush);
    Rectangle(hdc, -5, round % 30, 50, round % 30 + 9);
    TextOutA(hdc, round % 40 - 10, 20, "child text", 10);
    SelectObject(hdc, kept_pen);
    SelectObject(hdc, kept_brush);
    DeleteObject(pen);
    DeleteObject(brush);
    ReleaseDC(child, hdc);
}

// Reads the window as programs do: single pixels, and a copy into a bitmap.
void read_back(HWND hwnd, int round, std::vector<uint32_t> &seen)
{
    HDC window = GetDC(hwnd);
    seen.push_back(GetPixel(window, round % 200, round % 100));
    seen.push_back(GetPixel(window, 199, 99 - round % 13));
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, 200, 100);
    HGDIOBJ kept = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 200, 100, window, 0, 0, SRCCOPY);
    for (int i = 0; i < 200 * 100; ++i) {
        seen.push_back(GetPixel(memory, i % 200, i / 200));
    }
    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
}

void take_client_pixels(HWND hwnd, std::vector<uint32_t> &seen)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = qz370::headless::client_pixels(hwnd, &width, &height);
    seen.insert(seen.end(), pixels, pixels + static_cast<ptrdiff_t>(width) * height);
}

// Everything seen of a window that prints lines between other drawing,
// reads, a partial scroll and a resize, then many lines unread (more than
// are ever held back), and of one destroyed with painting held back.
std::vector<uint32_t> everything_seen()
{
    std::vector<uint32_t> seen;
    HWND hwnd = create_window(WS_CAPTION | WS_VISIBLE, 0, 0, 206, 124);  // a 200 by 100 client
    HWND child = create_child(hwnd, WS_VISIBLE, 120, 30, 60, 40);
    pump();
    for (int round = 0; round < 3000; ++round) {
        print_line(hwnd, round);
        if (round % 50 == 7 && !steady_round(round)) {
            cover_around_last_line(hwnd, round);
        }
        if (round < 1000 && round % 23 == 5 && !steady_round(round)) {
            draw_in_child(child, round);
        }
        if (round < 1000 && round % 50 == 9) {
            read_back(hwnd, round, seen);
        }
        if (round == 300) {
            RECT part{0, 0, 150, 60};
            HDC hdc = GetDC(hwnd);
            ScrollDC(hdc, 0, -13, &part, nullptr, nullptr, nullptr);
            ReleaseDC(hwnd, hdc);
        }
        if (round == 600) {
            MoveWindow(hwnd, 0, 0, 190, 150, FALSE);
        }
        if (round < 1000 && (round % 499 == 0 || round % 400 == 150)) {
            take_client_pixels(hwnd, seen);
        }
    }
    take_client_pixels(hwnd, seen);
    print_line(hwnd, 1);
    DestroyWindow(hwnd);
    HWND next = create_window(WS_CAPTION | WS_VISIBLE, 0, 0, 206, 124);
    pump();
    print_line(next, 2);
    take_client_pixels(next, seen);
    DestroyWindow(next);
    return seen;
}

TEST(DeferredPainting, EveryPixelReadIsWhatDrawingAtOnceLeaves)
{
    platform::set_painting_deferred(false);
    const std::vector<uint32_t> at_once = everything_seen();
    platform::set_painting_deferred(true);
    const std::vector<uint32_t> deferred = everything_seen();
    ASSERT_EQ(deferred.size(), at_once.size());
    for (size_t i = 0; i < at_once.size(); ++i) {
        ASSERT_EQ(deferred[i], at_once[i]) << "value " << i << " of " << at_once.size();
    }
}

}  // namespace
