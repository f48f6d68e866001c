// Showing only what changed: after every kind of drawing, what the screen
// window shows must be what showing the whole window afresh shows.
#include <functional>
#include <string>
#include <utility>

#include "desktop_fixture.h"
#include "display/display_driver.h"
#include "display/sdl/window_scale.h"

using namespace desktop_test;

namespace {

constexpr COLORREF BACKGROUND = RGB(255, 255, 255);

void fill(HDC hdc, const RECT &box, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ kept_brush = SelectObject(hdc, brush);
    HGDIOBJ kept_pen = SelectObject(hdc, GetStockObject(NULL_PEN));
    Rectangle(hdc, box.left, box.top, box.right + 1, box.bottom + 1);
    SelectObject(hdc, kept_pen);
    SelectObject(hdc, kept_brush);
    DeleteObject(brush);
}

void erase(HWND hwnd, COLORREF color)
{
    HDC hdc = GetDC(hwnd);
    fill(hdc, RECT{0, 0, 1000, 1000}, color);
    ReleaseDC(hwnd, hdc);
}

// Lines printed as the text window prints them; some reach past the window.
void print_lines(HWND hwnd, int count, int length)
{
    for (int line = 0; line < count; ++line) {
        HDC hdc = GetDC(hwnd);
        SelectObject(hdc, GetStockObject(ANSI_FIXED_FONT));
        SetBkColor(hdc, BACKGROUND);
        RECT client;
        GetClientRect(hwnd, &client);
        ScrollDC(hdc, 0, -13, nullptr, nullptr, nullptr, nullptr);
        fill(hdc, RECT{0, client.bottom - 13, client.right - 1, client.bottom}, BACKGROUND);
        const std::string text = std::to_string(line) + std::string(static_cast<size_t>(length + line % 5), 'W');
        TextOutA(hdc, 5, client.bottom - 13, text.c_str(), static_cast<int>(text.size()));
        ReleaseDC(hwnd, hdc);
    }
}

void draw_with_wide_pen(HWND hwnd)
{
    HDC hdc = GetDC(hwnd);
    HPEN pen = CreatePen(PS_SOLID, 9, RGB(200, 30, 30));
    HGDIOBJ kept = SelectObject(hdc, pen);
    Ellipse(hdc, 500, 20, 600, 90);
    MoveToEx(hdc, 300, 480, nullptr);
    LineTo(hdc, 590, 300);
    POINT points[] = {{100, 100}, {160, 40}, {220, 130}};
    Polygon(hdc, points, 3);
    SetPixel(hdc, 594, 499, RGB(1, 2, 3));
    SelectObject(hdc, kept);
    DeleteObject(pen);
    ReleaseDC(hwnd, hdc);
}

// Blocks put on the window and moved within it, a part scrolled, then two
// frames drawn on a bitmap and each put on the whole client.
void blit_blocks_and_frames(HWND hwnd)
{
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ kept = SelectObject(memory, CreateCompatibleBitmap(window, 595, 500));
    fill(memory, RECT{0, 0, 80, 60}, RGB(0, 90, 200));
    BitBlt(window, 530, 200, 80, 60, memory, 0, 0, SRCCOPY);
    BitBlt(window, 10, 10, 200, 100, window, 400, 300, SRCCOPY);
    RECT part{0, 0, 595, 250};
    ScrollDC(window, 7, 5, &part, nullptr, nullptr, nullptr);
    for (int frame = 0; frame < 2; ++frame) {
        fill(memory, RECT{frame * 40, 0, 595, 500 - frame * 40}, RGB(frame * 100, 20, 20));
        BitBlt(window, 0, 0, 595, 500, memory, 0, 0, SRCCOPY);
        qz370::sdl::present_changed_windows();
    }
    DeleteObject(SelectObject(memory, kept));
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
}

std::vector<uint8_t> shown_bytes(HWND hwnd)
{
    const SDL_Surface *surface = SDL_GetWindowSurface(qz370::sdl::screen_window_of(hwnd)->window);
    const auto *pixels = static_cast<const uint8_t *>(surface->pixels);
    return std::vector<uint8_t>(pixels, pixels + static_cast<ptrdiff_t>(surface->pitch) * surface->h);
}

TEST_F(DesktopDisplay, ShowingOnlyTheChangedBoxShowsWhatShowingTheWholeWindowShows)
{
    const std::pair<const char *, std::function<void(HWND)>> steps[] = {
        {"erase", [](HWND hwnd) { erase(hwnd, BACKGROUND); }},
        {"short lines", [](HWND hwnd) { print_lines(hwnd, 300, 3); }},
        {"wide pen", draw_with_wide_pen},
        {"lines after the pen", [](HWND hwnd) { print_lines(hwnd, 45, 20); }},
        {"blits, a part scroll and frames", blit_blocks_and_frames},
        {"erase in another colour", [](HWND hwnd) { erase(hwnd, RGB(10, 10, 10)); }},
        {"white lines on it", [](HWND hwnd) { print_lines(hwnd, 30, 10); }},
        {"erase again", [](HWND hwnd) { erase(hwnd, BACKGROUND); }},
        {"lines past the edge", [](HWND hwnd) { print_lines(hwnd, 12, 90); }},
        {"a control",
         [](HWND hwnd) { CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE, 560, 470, 60, 24, hwnd, 0, 0, 0); }},
        {"resize", [](HWND hwnd) { MoveWindow(hwnd, 0, 0, 501, 400, TRUE); }},
        {"lines after the resize", [](HWND hwnd) { print_lines(hwnd, 50, 2); }},
        {"menu opened and closed",
         [](HWND hwnd) {
             push_key(hwnd, SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
             qz370::platform::display_driver().track_menu(hwnd, true);
         }},
        {"one line", [](HWND hwnd) { print_lines(hwnd, 1, 4); }},
    };
    for (const char *scale : {"1", "2"}) {
        SDL_setenv("QZ370_SCALE", scale, 1);
        qz370::sdl::choose_window_scale();
        HWND hwnd = open_menu_window();
        take_messages();
        for (const auto &[name, draw] : steps) {
            draw(hwnd);
            take_messages();
            qz370::sdl::present_changed_windows();
            const std::vector<uint8_t> changed_only = shown_bytes(hwnd);
            qz370::sdl::mark_for_present(hwnd);
            qz370::sdl::present_changed_windows();
            ASSERT_TRUE(changed_only == shown_bytes(hwnd)) << "after " << name << " at scale " << scale;
        }
        DestroyWindow(hwnd);
    }
    SDL_setenv("QZ370_SCALE", "", 1);
}

}  // namespace
