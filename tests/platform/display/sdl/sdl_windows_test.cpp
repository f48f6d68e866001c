#include <algorithm>

#include "desktop_fixture.h"
#include "user/window_internals.h"
#include "display/menus/menu_look.h"

using namespace desktop_test;
using qz370::platform::MENU_BAR;
using qz370::sdl::screen_window_of;

namespace {

constexpr uint32_t PAINTED = 0x123456;

uint32_t shown_pixel(HWND hwnd, int x, int y)
{
    SDL_Surface *surface = SDL_GetWindowSurface(screen_window_of(hwnd)->window);
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    auto *row = static_cast<Uint8 *>(surface->pixels) + y * surface->pitch;
    SDL_GetRGB(reinterpret_cast<Uint32 *>(row)[x], surface->format, &r, &g, &b);
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

bool saw(UINT message)
{
    return std::any_of(received().begin(), received().end(), [&](const MSG &msg) { return msg.message == message; });
}

}  // namespace

TEST_F(DesktopDisplay, AWindowWithAMenuShowsTheBarAboveItsClientArea)
{
    HWND hwnd = open_menu_window();
    SDL_Window *shown = screen_window_of(hwnd)->window;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(shown, &width, &height);
    EXPECT_EQ(width, 595);
    EXPECT_EQ(height, 500 + MENU_BAR);
    int x = -1;
    int y = -1;
    SDL_GetWindowPosition(shown, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_STREQ(SDL_GetWindowTitle(shown), "Menu window");
    EXPECT_FALSE(SDL_GetWindowFlags(shown) & SDL_WINDOW_RESIZABLE);
    EXPECT_TRUE(SDL_GetWindowFlags(shown) & SDL_WINDOW_SHOWN);
}

TEST_F(DesktopDisplay, TheScreenWindowFollowsTitleVisibilityAndPlace)
{
    HWND hwnd = open_resizable_window();
    SDL_Window *shown = screen_window_of(hwnd)->window;
    EXPECT_TRUE(SDL_GetWindowFlags(shown) & SDL_WINDOW_RESIZABLE);
    SetWindowTextA(hwnd, "Renamed");
    EXPECT_STREQ(SDL_GetWindowTitle(shown), "Renamed");
    MoveWindow(hwnd, 40, 50, 306, 224, TRUE);
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(shown, &x, &y);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 50);
    SDL_GetWindowSize(shown, &x, &y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 200);
    ShowWindow(hwnd, SW_HIDE);
    EXPECT_TRUE(SDL_GetWindowFlags(shown) & SDL_WINDOW_HIDDEN);
    DestroyWindow(hwnd);
    EXPECT_EQ(screen_window_of(hwnd), nullptr);
}

TEST_F(DesktopDisplay, ChangedClientPixelsAreShownBelowTheMenuBar)
{
    HWND hwnd = open_menu_window();
    take_messages();
    qz370::platform::Window *window = qz370::platform::window_from(hwnd);
    std::fill(window->pixels.begin(), window->pixels.end(), PAINTED);
    qz370::platform::client_pixels_drawn(hwnd, RECT{0, 0, window->pixel_width, window->pixel_height});
    take_messages();
    EXPECT_EQ(shown_pixel(hwnd, 0, MENU_BAR), PAINTED);
    EXPECT_EQ(shown_pixel(hwnd, 594, 515), PAINTED);
    EXPECT_EQ(shown_pixel(hwnd, 594, 0), qz370::menus::MENU_FACE);
}

TEST_F(DesktopDisplay, AClickGivesClientCoordinatesBelowTheMenuBar)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_button(hwnd, SDL_MOUSEBUTTONDOWN, 297, 250 + MENU_BAR);
    push_button(hwnd, SDL_MOUSEBUTTONUP, 297, 250 + MENU_BAR);
    push_button(hwnd, SDL_MOUSEBUTTONDOWN, 0, MENU_BAR, SDL_BUTTON_RIGHT);
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(kinds_of(messages), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN}));
    EXPECT_EQ(messages[0].lParam, MAKELPARAM(297, 250));
    EXPECT_EQ(messages[0].hwnd, hwnd);
    EXPECT_EQ(messages[2].lParam, MAKELPARAM(0, 0));
}

TEST_F(DesktopDisplay, AClickOnAChildGoesToItInItsOwnCoordinates)
{
    HWND hwnd = open_resizable_window();
    HWND child = CreateWindowExA(0, "DesktopTest", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 100, 50, 40, 20, hwnd,
                                 nullptr, nullptr, nullptr);
    take_messages();
    push_button(hwnd, SDL_MOUSEBUTTONDOWN, 111, 56);
    push_button(hwnd, SDL_MOUSEBUTTONDOWN, 99, 56);
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].hwnd, child);
    EXPECT_EQ(messages[0].lParam, MAKELPARAM(10, 5));  // inside its one-pixel border
    EXPECT_EQ(messages[1].hwnd, hwnd);
    EXPECT_EQ(messages[1].lParam, MAKELPARAM(99, 56));
}

TEST_F(DesktopDisplay, TheCloseBoxAsksTheWindowToClose)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_window_event(hwnd, SDL_WINDOWEVENT_CLOSE);
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, UINT{WM_SYSCOMMAND});
    EXPECT_EQ(messages[0].wParam, WPARAM{SC_CLOSE});
    EXPECT_EQ(messages[0].hwnd, hwnd);
}

TEST_F(DesktopDisplay, AWindowTheUserResizesGetsWmSizeAndIsRepainted)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    received().clear();
    push_window_event(hwnd, SDL_WINDOWEVENT_SIZE_CHANGED, 800, 300);
    take_messages();
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 300);
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 513);
    auto size = std::find_if(received().begin(), received().end(), [](const MSG &msg) { return msg.message == WM_SIZE; });
    ASSERT_NE(size, received().end());
    EXPECT_EQ(size->lParam, MAKELPARAM(800, 300));
    EXPECT_TRUE(saw(WM_PAINT));
}

TEST_F(DesktopDisplay, AWindowTheSystemSizesKeepsItsOwnSize)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_window_event(hwnd, SDL_WINDOWEVENT_SIZE_CHANGED, 200, 100);
    take_messages();
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 595);
    EXPECT_EQ(client.bottom, 500);
}

TEST_F(DesktopDisplay, AnExposedWindowIsRepainted)
{
    HWND hwnd = open_menu_window();
    take_messages();
    received().clear();
    push_window_event(hwnd, SDL_WINDOWEVENT_EXPOSED);
    take_messages();
    EXPECT_TRUE(saw(WM_PAINT));
}
