// Timers on the virtual clock: due only when their time has come, lowest in
// priority, and coalesced when the program falls behind.
#include "platform/window_test_support.h"

#include "display/display_driver.h"

using namespace window_test;
namespace headless = qz370::headless;
using qz370::platform::display_driver;
using qz370::platform::next_timer_due;

namespace {

constexpr UINT_PTR TIMER_ID = 2;
constexpr UINT PERIOD = 100;

bool take(MSG *msg)
{
    return PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
}

// The program is busy until the given time: the clock runs on without it.
void busy_until(int64_t time)
{
    display_driver().wait(time);
}

TEST(Timers, TickOnlyWhenDueAndCarryTheClockTime)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    int64_t start = headless::now_ms();
    EXPECT_EQ(SetTimer(hwnd, TIMER_ID, PERIOD, nullptr), TIMER_ID);
    MSG msg;
    EXPECT_FALSE(take(&msg));
    busy_until(start + PERIOD - 1);
    EXPECT_FALSE(take(&msg));
    busy_until(start + PERIOD);
    ASSERT_TRUE(take(&msg));
    EXPECT_EQ(msg.message, UINT{WM_TIMER});
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.wParam, TIMER_ID);
    EXPECT_EQ(msg.time, static_cast<DWORD>(start + PERIOD));
    EXPECT_FALSE(take(&msg));
}

TEST(Timers, MissedTicksCoalesceAndStayOnTheBeat)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    int64_t start = headless::now_ms();
    SetTimer(hwnd, TIMER_ID, PERIOD, nullptr);
    busy_until(start + 350);
    MSG msg;
    EXPECT_TRUE(take(&msg));
    EXPECT_FALSE(take(&msg));
    EXPECT_EQ(next_timer_due(), start + 400);
}

TEST(Timers, PeekingWithoutRemovingLeavesTheTimerExpired)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    SetTimer(hwnd, TIMER_ID, PERIOD, nullptr);
    WaitMessage();
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(take(&msg));
    EXPECT_EQ(msg.message, UINT{WM_TIMER});
}

TEST(Timers, InputAndPaintComeFirst)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    SetTimer(hwnd, TIMER_ID, PERIOD, nullptr);
    WaitMessage();
    headless::key_down(hwnd, VK_SPACE);
    ShowWindow(hwnd, SW_SHOW);
    std::vector<UINT> order;
    for (const MSG &msg : pump()) {
        order.push_back(msg.message);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_PAINT, WM_TIMER}));
}

TEST(Timers, SettingAgainRearmsFromNowAndKillingStops)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    int64_t start = headless::now_ms();
    SetTimer(hwnd, TIMER_ID, PERIOD, nullptr);
    busy_until(start + 60);
    SetTimer(hwnd, TIMER_ID, PERIOD, nullptr);
    EXPECT_EQ(next_timer_due(), start + 160);
    EXPECT_TRUE(KillTimer(hwnd, TIMER_ID));
    EXPECT_FALSE(KillTimer(hwnd, TIMER_ID));
    EXPECT_EQ(next_timer_due(), -1);
}

TEST(Timers, AZeroPeriodIsRaisedSoTheClockStillMoves)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    int64_t start = headless::now_ms();
    SetTimer(hwnd, TIMER_ID, 0, nullptr);
    EXPECT_GT(next_timer_due(), start);
}

int callback_ticks = 0;
void CALLBACK count_tick(HWND, UINT, UINT_PTR, DWORD) { ++callback_ticks; }

TEST(Timers, ACallbackTakesTheTickInsteadOfTheWindow)
{
    UINT_PTR id = SetTimer(nullptr, 0, PERIOD, count_tick);
    EXPECT_NE(id, 0u);
    WaitMessage();
    pump();
    EXPECT_EQ(callback_ticks, 1);
    KillTimer(nullptr, id);
}

TEST(Timers, AForgedTimerMessageCallsNothingItNames)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    PostMessageA(hwnd, WM_TIMER, 9, 0x1234);
    pump();
    EXPECT_EQ(count_of(hwnd, WM_TIMER), 1);  // the window got it; the "callback" was not called
}

TEST(Timers, WaitMessageJumpsTheClockToTheEarliestTimer)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
    int64_t start = headless::now_ms();
    SetTimer(hwnd, 1, 500, nullptr);
    SetTimer(hwnd, 2, 300, nullptr);
    WaitMessage();
    EXPECT_EQ(headless::now_ms(), start + 300);
    MSG msg;
    ASSERT_TRUE(take(&msg));
    EXPECT_EQ(msg.wParam, 2u);
}

}  // namespace
