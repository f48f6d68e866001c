// Creating, showing, closing and destroying windows, and what happens to
// messages and calls aimed at a window that is gone.
#include "platform/window_test_support.h"

#include <cstring>

using namespace window_test;
namespace headless = qz370::headless;

namespace {

constexpr DWORD CAPTIONED = WS_CAPTION | WS_SYSMENU;

TEST(WindowCreation, SendsCreateMessagesThenSizeInsideTheCall)
{
    std::string created_title;
    int created_width = 0;
    answer = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT *) {
        if (message == WM_CREATE) {
            auto *create = reinterpret_cast<CREATESTRUCTA *>(lParam);
            created_title = create->lpszName;
            created_width = create->cx;
        }
        return false;
    };
    HWND hwnd = create_window(CAPTIONED, 0, 0, 601, 540);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(messages_to(hwnd), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE}));
    EXPECT_EQ(created_title, "test");
    EXPECT_EQ(created_width, 601);
    EXPECT_EQ(received.back().lParam, MAKELPARAM(595, 516));
    answer = nullptr;
}

TEST(WindowCreation, FailsWhenCreateIsRefusedOrTheClassIsUnknown)
{
    answer = [](HWND, UINT message, WPARAM, LPARAM, LRESULT *result) {
        *result = -1;
        return message == WM_CREATE;
    };
    EXPECT_EQ(create_window(CAPTIONED, 0, 0, 100, 100), nullptr);
    EXPECT_EQ(received.back().message, WM_NCDESTROY);
    EXPECT_FALSE(IsWindow(received.back().hwnd));
    answer = nullptr;
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(create_child(reinterpret_cast<HWND>(0x1234), 0, 0, 0, 10, 10), nullptr);
}

TEST(WindowCreation, AbsurdPositionsAndSizesAreHeldToTheWindowSystemLimits)
{
    HWND hwnd = create_window(CAPTIONED, INT_MAX, INT_MIN, INT_MAX, -5);
    ASSERT_NE(hwnd, nullptr);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_LE(rect.right - rect.left, 8192);
    EXPECT_EQ(rect.bottom - rect.top, 0);
    GetClientRect(hwnd, &rect);
    EXPECT_EQ(rect.bottom, 0);  // the frame does not turn the client inside out
}

TEST(ShowWindow, FirstShowSendsShowAndSizeAndAsksForPaint)
{
    HWND hwnd = create_window(CAPTIONED, 0, 0, 200, 100);
    received.clear();
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));
    EXPECT_EQ(messages_to(hwnd), (std::vector<UINT>{WM_SHOWWINDOW, WM_SIZE}));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);

    received.clear();
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));  // it was visible
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_EQ(count_of(hwnd, WM_SIZE), 0);
}

TEST(ShowWindow, PaintErasesWithTheClassBrush)
{
    HWND hwnd = create_window(CAPTIONED, 0, 0, 200, 100);
    EXPECT_EQ(client_pixel(hwnd, 5, 5), 0xFFFFFFu);
    ShowWindow(hwnd, SW_SHOW);
    pump();
    EXPECT_EQ(count_of(hwnd, WM_ERASEBKGND), 1);
    EXPECT_EQ(client_pixel(hwnd, 5, 5), CLASS_BACKGROUND_PIXEL);
}

TEST(WindowDestruction, CloseDestroysTheWindowAndItsChildren)
{
    HWND hwnd = create_window(CAPTIONED | WS_VISIBLE, 0, 0, 200, 100);
    HWND child = create_child(hwnd, WS_VISIBLE, 0, 0, 50, 20);
    SetFocus(child);
    SetTimer(hwnd, 1, 100, nullptr);
    // Found by class or title, in any case, but never as the child that shares its class.
    EXPECT_EQ(FindWindowA(RECORDING_CLASS, nullptr), hwnd);
    EXPECT_EQ(FindWindowA(nullptr, "TEST"), hwnd);
    received.clear();
    headless::close_window(hwnd);
    pump();
    EXPECT_EQ(FindWindowA(RECORDING_CLASS, nullptr), nullptr);
    EXPECT_EQ(messages_to(hwnd), (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(count_of(child, WM_DESTROY), 1);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(KillTimer(hwnd, 1));  // its timers went with it
}

TEST(WindowDestruction, DestroyingFromTheDestroyMessageDoesNotRecurse)
{
    answer = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
        if (message == WM_DESTROY) {
            EXPECT_FALSE(DestroyWindow(hwnd));
        }
        return false;
    };
    HWND hwnd = create_window(CAPTIONED, 0, 0, 100, 100);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(count_of(hwnd, WM_DESTROY), 1);
    answer = nullptr;
}

TEST(WindowDestruction, MessagesAndCallsForAGoneWindowDoNothing)
{
    HWND hwnd = create_window(CAPTIONED, 0, 0, 100, 100);
    PostMessageA(hwnd, WM_USER, 1, 2);
    headless::click(hwnd, 5, 5);
    DestroyWindow(hwnd);
    received.clear();
    for (const MSG &msg : pump()) {
        EXPECT_EQ(msg.hwnd, hwnd);
    }
    EXPECT_TRUE(received.empty());

    RECT rect;
    PAINTSTRUCT ps;
    char text[8];
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
    EXPECT_FALSE(GetClientRect(hwnd, &rect));
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_FALSE(MoveWindow(hwnd, 0, 0, 10, 10, TRUE));
    EXPECT_EQ(SetTimer(hwnd, 1, 100, nullptr), 0u);
    EXPECT_EQ(GetDC(hwnd), nullptr);
    EXPECT_EQ(BeginPaint(hwnd, &ps), nullptr);
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 0);
    EXPECT_FALSE(SetMenu(hwnd, CreateMenu()));
    EXPECT_EQ(headless::client_pixels(hwnd, nullptr, nullptr), nullptr);
    headless::click(hwnd, 1, 1);
    headless::key_down(hwnd, 'A');
    headless::type_char(hwnd, 'a');
    EXPECT_TRUE(pump().empty());
}

TEST(WindowDestruction, AWindowDestroyedByItsOwnProcedureIsNotTouchedAfterwards)
{
    answer = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
        if (message == WM_USER) {
            DestroyWindow(hwnd);
            return true;
        }
        return false;
    };
    HWND hwnd = create_window(CAPTIONED | WS_VISIBLE, 0, 0, 100, 100);
    PostMessageA(hwnd, WM_USER, 0, 0);
    pump();
    EXPECT_FALSE(IsWindow(hwnd));
    answer = nullptr;
}

TEST(WindowText, SetAndGetGoThroughTheWindowProcedure)
{
    HWND hwnd = create_window(CAPTIONED, 0, 0, 100, 100);
    EXPECT_TRUE(SetWindowTextA(hwnd, "QZ370 Graphics"));
    EXPECT_EQ(count_of(hwnd, WM_SETTEXT), 1);
    char text[6];
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 5);
    EXPECT_STREQ(text, "QZ370");
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), 14);
    EXPECT_TRUE(SetWindowTextA(hwnd, nullptr));
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST(WindowState, DisabledWindowsTakeNoInputAndNoFocus)
{
    HWND hwnd = create_window(CAPTIONED | WS_VISIBLE, 0, 0, 100, 100);
    pump();
    EXPECT_FALSE(EnableWindow(hwnd, FALSE));
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_EQ(SetFocus(hwnd), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    headless::click(hwnd, 5, 5);
    headless::close_window(hwnd);
    EXPECT_TRUE(pump().empty());
    EXPECT_TRUE(EnableWindow(hwnd, TRUE));
    EXPECT_EQ(SetFocus(hwnd), nullptr);
    EXPECT_EQ(GetFocus(), hwnd);
}

}  // namespace
