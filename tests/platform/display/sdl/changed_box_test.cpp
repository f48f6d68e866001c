// Showing only what changed: after every kind of drawing, what the screen
// window shows must be what showing the whole window afresh shows.
#include <cstring>
#include <functional>
#include <string>

#include "desktop_fixture.h"
#include "display/display_driver.h"

using namespace desktop_test;
using qz370::sdl::screen_window_of;

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
    RECT client;
    GetClientRect(hwnd, &client);
    fill(hdc, client, color);
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

void blit_blocks(HWND hwnd)
{
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, 80, 60);
    HGDIOBJ kept = SelectObject(memory, bitmap);
    fill(memory, RECT{0, 0, 80, 60}, RGB(0, 90, 200));
    BitBlt(window, 530, 200, 80, 60, memory, 0, 0, SRCCOPY);
    BitBlt(window, 10, 10, 200, 100, window, 400, 300, SRCCOPY);
    RECT part{0, 0, 595, 250};
    ScrollDC(window, 7, 5, &part, nullptr, nullptr, nullptr);
    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
}

// A frame drawn on a bitmap and put on the whole client, twice.
void put_frames(HWND hwnd)
{
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, 595, 500);
    HGDIOBJ kept = SelectObject(memory, bitmap);
    for (int frame = 0; frame < 2; ++frame) {
        fill(memory, RECT{frame * 40, 0, 595, 500 - frame * 40}, RGB(frame * 100, 20, 20));
        BitBlt(window, 0, 0, 595, 500, memory, 0, 0, SRCCOPY);
        qz370::sdl::present_changed_windows();
    }
    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
}

void add_control(HWND hwnd)
{
    CreateWindowExA(0, "BUTTON", "Push", WS_CHILD | WS_VISIBLE, 560, 470, 60, 24, hwnd, nullptr, nullptr, nullptr);
}

std::vector<uint8_t> shown_bytes(HWND hwnd)
{
    SDL_Surface *surface = SDL_GetWindowSurface(screen_window_of(hwnd)->window);
    std::vector<uint8_t> bytes;
    const size_t row_bytes = static_cast<size_t>(surface->w) * surface->format->BytesPerPixel;
    for (int y = 0; y < surface->h; ++y) {
        const auto *row = static_cast<const uint8_t *>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        bytes.insert(bytes.end(), row, row + row_bytes);
    }
    return bytes;
}

struct Step {
    const char *name;
    std::function<void(HWND)> draw;
};

class ChangedBox : public DesktopDisplay, public ::testing::WithParamInterface<const char *> {
protected:
    void SetUp() override
    {
        SDL_setenv("QZ370_SCALE", GetParam(), 1);
        DesktopDisplay::SetUp();
    }
    void TearDown() override
    {
        DesktopDisplay::TearDown();
        SDL_setenv("QZ370_SCALE", "", 1);
    }
};

TEST_P(ChangedBox, ShowsWhatShowingTheWholeWindowShows)
{
    const Step steps[] = {
        {"erase", [](HWND hwnd) { erase(hwnd, BACKGROUND); }},
        {"short lines", [](HWND hwnd) { print_lines(hwnd, 300, 3); }},
        {"wide pen", draw_with_wide_pen},
        {"lines after the pen", [](HWND hwnd) { print_lines(hwnd, 45, 20); }},
        {"blits and a part scroll", blit_blocks},
        {"erase in another colour", [](HWND hwnd) { erase(hwnd, RGB(10, 10, 10)); }},
        {"white lines on it", [](HWND hwnd) { print_lines(hwnd, 30, 10); }},
        {"erase again", [](HWND hwnd) { erase(hwnd, BACKGROUND); }},
        {"lines past the edge", [](HWND hwnd) { print_lines(hwnd, 12, 90); }},
        {"frames", put_frames},
        {"a control", add_control},
        {"resize", [](HWND hwnd) { MoveWindow(hwnd, 0, 0, 501, 400, TRUE); }},
        {"lines after the resize", [](HWND hwnd) { print_lines(hwnd, 50, 2); }},
        {"menu",
         [](HWND hwnd) {
             push_key(hwnd, SDL_KEYDOWN, SDLK_DOWN, SDL_SCANCODE_DOWN);
             push_key(hwnd, SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
             push_key(hwnd, SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
             qz370::platform::display_driver().track_menu(hwnd, true);
         }},
        {"one line", [](HWND hwnd) { print_lines(hwnd, 1, 4); }},
    };
    HWND hwnd = open_menu_window();
    take_messages();
    for (const Step &step : steps) {
        step.draw(hwnd);
        take_messages();
        qz370::sdl::present_changed_windows();
        const std::vector<uint8_t> changed_only = shown_bytes(hwnd);
        qz370::sdl::mark_for_present(hwnd);
        qz370::sdl::present_changed_windows();
        ASSERT_TRUE(changed_only == shown_bytes(hwnd)) << "after " << step.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, ChangedBox, ::testing::Values("1", "2"));

}  // namespace
