#include <gtest/gtest.h>

#include <string>

#include "open_library.h"
#include "user/window_system.h"

using namespace events_test;
namespace platform = qz370::platform;

namespace {

void expect_window(HWND hwnd, const char *class_name, const char *title, RECT expected)
{
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, title);
    EXPECT_EQ(platform::window_from(hwnd)->class_name, class_name);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right, expected.right);
    EXPECT_EQ(rect.bottom, expected.bottom);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

}  // namespace

TEST(LibraryOpen, WindowsOnA1024By768Screen)
{
    open_library();
    expect_window(graphics_window, "DrawWndClass", "QZ370 Graphics", {0, 0, 601, 540});
    expect_window(text_window, "TextWndClass", "QZ370 Text", {0, 513, 1024, 513 + 256});
    EXPECT_EQ(platform::window_from(graphics_window)->style & WS_OVERLAPPEDWINDOW,
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
}

TEST(LibraryOpen, TextWindowTakesTheLowerThirdOfA1280By1024Screen)
{
    qz370::headless::set_screen_size(1280, 1024);
    open_library();
    expect_window(text_window, "TextWndClass", "QZ370 Text", {0, 683, 1280, 683 + 341});
}

TEST(LibraryOpen, CentreFlagsAndDirtyCanvas)
{
    input.running = 1;
    input.single_step = 1;
    open_library();
    RECT client = {};
    GetClientRect(graphics_window, &client);
    EXPECT_EQ(client.right, 595);
    EXPECT_EQ(client.bottom, 500);
    EXPECT_EQ(centre_x, CLIENT_CENTRE_X);
    EXPECT_EQ(centre_y, CLIENT_CENTRE_Y);
    EXPECT_EQ(input.running, 0);
    EXPECT_EQ(input.single_step, 0);
    EXPECT_EQ(canvas_dirty, 1);
}

// A later instance registers no classes, so no window can be made; opening and
// closing must still return 1 and crash nothing.
TEST(LibraryOpen, WithAPreviousInstanceRegistersNothing)
{
    int previous = 0;
    EXPECT_EQ(QZ370_begin(nullptr, reinterpret_cast<HINSTANCE>(&previous), nullptr, SW_SHOWNORMAL), 1);
    EXPECT_EQ(graphics_window, nullptr);
    EXPECT_EQ(QZ370_end(), 1);
}

TEST(LibraryClose, LeavesTheWindowsAndNeedsNoOpening)
{
    EXPECT_EQ(QZ370_end(), 1);
    open_library();
    EXPECT_EQ(QZ370_end(), 1);
    EXPECT_EQ(QZ370_end(), 1);
    EXPECT_TRUE(IsWindow(graphics_window));
    EXPECT_TRUE(IsWindow(text_window));
}
