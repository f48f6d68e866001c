// The order PeekMessageA hands messages out in, filters, the quit request and
// painting.
#include "platform/window_test_support.h"

#include "display/display_driver.h"
#include "user/start_up_hooks.h"

using namespace window_test;
namespace headless = qz370::headless;
using qz370::platform::display_driver;

namespace {

constexpr UINT_PTR TIMER_ID = 2;

UINT next_message(HWND filter = nullptr, UINT remove = PM_REMOVE)
{
    MSG msg;
    return PeekMessageA(&msg, filter, 0, 0, remove) ? msg.message : WM_NULL;
}

TEST(MessageQueue, PostedThenQuitThenPaintThenTimer)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    SetTimer(hwnd, TIMER_ID, 100, nullptr);
    WaitMessage();  // nothing else to do: the clock goes to the timer
    ShowWindow(hwnd, SW_SHOW);
    PostQuitMessage(7);
    PostMessageA(hwnd, WM_USER, 0, 0);
    headless::click(hwnd, 1, 1);

    EXPECT_EQ(next_message(), UINT{WM_USER});
    EXPECT_EQ(next_message(), UINT{WM_LBUTTONDOWN});
    EXPECT_EQ(next_message(), UINT{WM_LBUTTONUP});
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT{WM_QUIT});
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(next_message(), UINT{WM_PAINT});
    EXPECT_EQ(next_message(), UINT{WM_PAINT});  // until something validates the window
    DefWindowProcA(hwnd, WM_PAINT, 0, 0);
    EXPECT_EQ(next_message(), UINT{WM_TIMER});
    EXPECT_EQ(next_message(), UINT{WM_NULL});
}

// A run played from the start posts its first command from the idle action,
// which stays on for later idle moments: on a loaded screen a tick may already
// be due, and taken first it would be a live tick before the script's events.
TEST(MessageQueue, WhatTheIdleActionPostsComesBeforeADueTimer)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    SetTimer(hwnd, TIMER_ID, 100, nullptr);
    WaitMessage();
    int idle_moments = 0;
    qz370::platform::set_first_idle_action([&] {
        idle_moments += 1;
        PostMessageA(hwnd, WM_USER, 0, 0);
        return false;
    });
    EXPECT_EQ(next_message(), UINT{WM_USER});
    EXPECT_EQ(idle_moments, 1);
    qz370::platform::set_first_idle_action(nullptr);
    EXPECT_EQ(next_message(), UINT{WM_TIMER});
}

TEST(MessageQueue, QuitIsProducedOnceAndPeekingLeavesIt)
{
    PostQuitMessage(0);
    EXPECT_EQ(next_message(nullptr, PM_NOREMOVE), UINT{WM_QUIT});
    EXPECT_EQ(next_message(), UINT{WM_QUIT});
    EXPECT_EQ(next_message(), UINT{WM_NULL});
}

TEST(MessageQueue, FiltersByWindowAndRange)
{
    HWND first = create_window(WS_CAPTION, 0, 0, 100, 100);
    HWND second = create_window(WS_CAPTION, 0, 0, 100, 100);
    HWND child = create_child(second, 0, 0, 0, 10, 10);
    PostMessageA(first, WM_USER, 0, 0);
    PostMessageA(child, WM_USER + 1, 0, 0);
    PostMessageA(second, WM_USER + 2, 0, 0);
    PostMessageA(nullptr, WM_USER + 3, 0, 0);

    EXPECT_EQ(next_message(second), UINT{WM_USER + 1});  // a window's filter takes its children's too
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT{WM_USER + 2});
    EXPECT_EQ(next_message(reinterpret_cast<HWND>(-1)), UINT{WM_USER + 3});
    EXPECT_EQ(next_message(), UINT{WM_USER});
}

TEST(MessageQueue, PaintComesForParentsBeforeChildrenAndOnlyWhenVisible)
{
    HWND parent = create_window(WS_CAPTION, 0, 0, 100, 100);
    HWND child = create_child(parent, WS_VISIBLE, 0, 0, 10, 10);
    EXPECT_EQ(next_message(), UINT{WM_NULL});  // the parent is hidden
    ShowWindow(parent, SW_SHOW);
    std::vector<MSG> taken = pump();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].hwnd, parent);
    EXPECT_EQ(taken[1].hwnd, child);
}

TEST(MessageQueue, UpdateWindowPaintsAtOnce)
{
    HWND hwnd = create_window(WS_CAPTION | WS_VISIBLE, 0, 0, 100, 100);
    UpdateWindow(hwnd);
    EXPECT_EQ(count_of(hwnd, WM_PAINT), 1);
    EXPECT_EQ(next_message(), UINT{WM_NULL});
    InvalidateRect(hwnd, nullptr, FALSE);
    received.clear();
    pump();
    EXPECT_EQ(count_of(hwnd, WM_ERASEBKGND), 0);
}

TEST(MessageQueue, TranslatedCharacterComesBeforeLaterInput)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    headless::type_char(hwnd, 'x');
    headless::click(hwnd, 1, 1);
    std::vector<UINT> order;
    for (const MSG &msg : pump()) {
        order.push_back(msg.message);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST(MessageQueue, AFullQueueRefusesMorePosts)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    int posted = 0;
    while (PostMessageA(hwnd, WM_USER, 0, 0) && posted < 20000) {
        ++posted;
    }
    EXPECT_EQ(posted, 10000);
    EXPECT_EQ(next_message(), UINT{WM_USER});
    EXPECT_TRUE(PostMessageA(hwnd, WM_USER, 0, 0));
}

TEST(MessageQueue, GetMessageWaitsForTheNextTickAndReportsQuit)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    int64_t start = headless::now_ms();
    SetTimer(hwnd, TIMER_ID, 250, nullptr);
    MSG msg;
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT{WM_TIMER});
    EXPECT_EQ(headless::now_ms(), start + 250);
    PostQuitMessage(3);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(hwnd);
    EXPECT_EQ(GetMessageA(&msg, hwnd, 0, 0), -1);
}

TEST(MessageQueue, EveryPeekLetsTheDisplayShowChangedWindows)
{
    std::vector<HWND> shown;
    headless::set_present_hook([&](HWND hwnd) { shown.push_back(hwnd); });
    HWND hwnd = create_window(WS_CAPTION | WS_VISIBLE, 0, 0, 100, 100);
    pump();
    shown.clear();
    HDC hdc = GetDC(hwnd);
    SetPixel(hdc, 1, 1, RGB(255, 0, 0));
    ReleaseDC(hwnd, hdc);
    next_message();
    EXPECT_EQ(shown, std::vector<HWND>{hwnd});
    next_message();
    EXPECT_EQ(shown.size(), 1u);  // shown once per change
    headless::set_present_hook(nullptr);
}

}  // namespace
