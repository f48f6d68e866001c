// The headless display: its virtual clock, the idle and present hooks, input
// given by tests, and the end of a program that waits for nothing.
#include "platform/window_test_support.h"

#include "display/display_driver.h"

#include <climits>

using namespace window_test;
namespace headless = qz370::headless;
using qz370::platform::DisplayDriver;
using qz370::platform::display_driver;

namespace {

TEST(HeadlessDisplay, TheClockMovesOnlyWhileTheProgramWaits)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    SetTimer(hwnd, 1, 100, nullptr);
    int64_t start = headless::now_ms();
    pump();
    EXPECT_EQ(headless::now_ms(), start);
    WaitMessage();
    EXPECT_EQ(headless::now_ms(), start + 100);
    EXPECT_EQ(GetTickCount(), static_cast<DWORD>(start + 100));
    WaitMessage();  // a tick is ready: no waiting
    EXPECT_EQ(headless::now_ms(), start + 100);
}

TEST(HeadlessDisplay, InputFromTheIdleHookStopsTheClock)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    SetTimer(hwnd, 1, 100, nullptr);
    int64_t start = headless::now_ms();
    int calls = 0;
    headless::set_idle_hook([&] {
        if (++calls == 1) {
            headless::click(hwnd, 3, 4);
        }
    });
    WaitMessage();
    EXPECT_EQ(headless::now_ms(), start);
    pump();
    WaitMessage();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(headless::now_ms(), start + 100);
    headless::set_idle_hook(nullptr);
}

TEST(HeadlessDisplayDeathTest, WaitingForInputThatCanNeverComeEndsTheProgram)
{
    EXPECT_EXIT(WaitMessage(), ::testing::ExitedWithCode(3),
                "headless display: the program waits for input that can never come");
}

TEST(HeadlessDisplay, ClientPixelsStartWhiteAtClientSize)
{
    HWND hwnd = create_window(WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540);
    int width = 0;
    int height = 0;
    const uint32_t *pixels = headless::client_pixels(hwnd, &width, &height);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 595);
    EXPECT_EQ(height, 516);
    EXPECT_EQ(pixels[0], 0xFFFFFFu);
    EXPECT_EQ(pixels[width * height - 1], 0xFFFFFFu);
    HWND child = create_child(hwnd, 0, 0, 0, 10, 10);
    EXPECT_EQ(headless::client_pixels(child, &width, &height), nullptr);
    EXPECT_EQ(width, 0);
}

TEST(HeadlessDisplay, HiddenWindowsAreShownOnlyOnceVisible)
{
    std::vector<HWND> shown;
    headless::set_present_hook([&](HWND hwnd) { shown.push_back(hwnd); });
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    HDC hdc = GetDC(hwnd);
    SetPixel(hdc, 0, 0, RGB(1, 1, 1));
    pump();
    EXPECT_TRUE(shown.empty());
    ShowWindow(hwnd, SW_SHOW);
    pump();
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], hwnd);
    ReleaseDC(hwnd, hdc);
    headless::set_present_hook(nullptr);
}

TEST(HeadlessDisplay, ClicksAtTheEdgesArriveAsSixteenBitPositions)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    headless::click(hwnd, 65535, 0);
    headless::click(hwnd, -1, 70000);
    headless::click(hwnd, INT_MIN, INT_MAX);
    std::vector<MSG> taken = pump();
    ASSERT_EQ(taken.size(), 6u);
    EXPECT_EQ(taken[0].message, UINT{WM_LBUTTONDOWN});
    EXPECT_EQ(taken[1].message, UINT{WM_LBUTTONUP});
    EXPECT_EQ(LOWORD(taken[0].lParam), 65535);
    EXPECT_EQ(LOWORD(taken[2].lParam), 65535);
    EXPECT_EQ(HIWORD(taken[2].lParam), 70000 & 0xFFFF);
    EXPECT_EQ(LOWORD(taken[4].lParam), 0);
    EXPECT_EQ(HIWORD(taken[4].lParam), 0xFFFF);
}

TEST(HeadlessDisplay, AClickGoesToTheChildUnderIt)
{
    HWND hwnd = create_window(WS_CAPTION | WS_VISIBLE, 0, 0, 200, 200);
    HWND button = create_child(hwnd, WS_BORDER | WS_VISIBLE, 20, 30, 50, 20);
    headless::click(hwnd, 25, 35);
    headless::click(hwnd, 5, 5);
    std::vector<MSG> clicks;
    for (const MSG &msg : pump()) {
        if (msg.message == WM_LBUTTONDOWN) {
            clicks.push_back(msg);
        }
    }
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].hwnd, button);
    EXPECT_EQ(clicks[0].lParam, MAKELPARAM(4, 4));
    EXPECT_EQ(clicks[1].hwnd, hwnd);
}

TEST(HeadlessDisplay, ClosingAWindowGoesThroughItsSystemCommand)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    answer = [](HWND, UINT message, WPARAM, LPARAM, LRESULT *) { return message == WM_CLOSE; };
    headless::close_window(hwnd);
    pump();
    EXPECT_TRUE(IsWindow(hwnd));  // its procedure kept it
    answer = nullptr;
    headless::close_window(hwnd);
    pump();
    EXPECT_FALSE(IsWindow(hwnd));
}

int menus_tracked = 0;
void count_menu_tracking(HWND, bool from_keyboard)
{
    menus_tracked += from_keyboard ? 1 : 0;
}

TEST(HeadlessDisplay, AltRAndF10OpenTheMenuBarOfADisplayThatHasOne)
{
    DisplayDriver with_menus = qz370::platform::headless_display_driver();
    with_menus.track_menu = count_menu_tracking;
    qz370::platform::set_display_driver(&with_menus);
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    HWND plain = create_window(WS_CAPTION, 0, 0, 100, 100);
    SetMenu(hwnd, CreateMenu());
    headless::key_down(hwnd, VK_MENU);
    headless::key_down(hwnd, 'R');
    headless::key_up(hwnd, 'R');
    headless::key_up(hwnd, VK_MENU);
    headless::key_down(hwnd, VK_F10);
    headless::key_up(hwnd, VK_F10);
    headless::key_down(hwnd, 'R');
    headless::key_down(plain, VK_F10);
    pump();
    EXPECT_EQ(menus_tracked, 2);
    headless::use();
}

}  // namespace
