#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "library/text/script_test_fixture.h"
#include "open_library.h"

using namespace events_test;
namespace headless = qz370::headless;

namespace {

constexpr int64_t PERIOD = ANIMATION_PERIOD_MS;

int idle_calls = 0;

// Gives a click at the centre the nth time the program would block.
void click_when_idle_for_the(int nth)
{
    idle_calls = 0;
    headless::set_idle_hook([nth] {
        if (++idle_calls == nth) {
            click_client(CLIENT_CENTRE_X, CLIENT_CENTRE_Y);
        }
    });
}

}  // namespace

// Input queued while the program is busy comes out one event per wait, in
// order, without waiting for the clock.
TEST(EventWait, QueuedInputComesOutOneEventPerWait)
{
    open_library();
    click_client(CLIENT_CENTRE_X, CLIENT_CENTRE_Y);
    click_client(CLIENT_CENTRE_X + 1, CLIENT_CENTRE_Y - 1);
    headless::type_char(graphics_window, 'k');
    click_client(0, 0);
    const int64_t start = headless::now_ms();

    const Event centre = next_event();
    EXPECT_EQ(centre.kind, QZ370_MOUSE);
    EXPECT_EQ(centre.x, 0);
    EXPECT_EQ(centre.y, 0);
    EXPECT_EQ(centre.key, 0);
    const Event right_and_up = next_event();
    EXPECT_EQ(right_and_up.x, 1);
    EXPECT_EQ(right_and_up.y, 1);
    const Event typed = next_event();
    EXPECT_EQ(typed.kind, QZ370_KBD);
    EXPECT_EQ(typed.key, 'k');
    EXPECT_EQ(typed.x, 0);
    EXPECT_EQ(typed.y, 0);
    const Event corner = next_event();
    EXPECT_EQ(corner.x, -CLIENT_CENTRE_X);
    EXPECT_EQ(corner.y, CLIENT_CENTRE_Y);
    EXPECT_EQ(headless::now_ms(), start);
}

TEST(EventWait, CharactersTypedWithCtrlHeldAreDropped)
{
    open_library();
    headless::key_down(graphics_window, VK_CONTROL);
    headless::type_char(graphics_window, 'x');
    headless::key_up(graphics_window, VK_CONTROL);
    headless::type_char(graphics_window, 'y');
    const Event typed = next_event();
    EXPECT_EQ(typed.kind, QZ370_KBD);
    EXPECT_EQ(typed.key, 'y');
}

// Halted, the wait blocks through the ticks (the virtual clock moves only
// while it blocks) and returns only for input.
TEST(EventWait, HaltedWaitBlocksUntilInput)
{
    open_library();
    click_when_idle_for_the(5);
    const int64_t start = headless::now_ms();
    EXPECT_EQ(next_event().kind, QZ370_MOUSE);
    EXPECT_EQ(idle_calls, 5);
    EXPECT_EQ(headless::now_ms() - start, 4 * PERIOD);
}

TEST(EventWait, RunningGivesOnePeriodicEventPerTick)
{
    open_library();
    QZ370_set_animation(QZ370_RUN);
    int64_t previous = headless::now_ms();
    for (int tick = 0; tick < 5; ++tick) {
        const Event event = next_event();
        EXPECT_EQ(event.kind, QZ370_PERIODIC);
        EXPECT_EQ(event.x, 0);
        EXPECT_EQ(event.y, 0);
        EXPECT_EQ(event.key, 0);
        EXPECT_EQ(headless::now_ms() - previous, PERIOD);
        previous = headless::now_ms();
    }
}

TEST(EventWait, TicksBeforeArmingAreDiscarded)
{
    open_library();
    click_when_idle_for_the(3);
    ASSERT_EQ(next_event().kind, QZ370_MOUSE);
    ASSERT_EQ(input.timer_fired, 1);
    headless::set_idle_hook(nullptr);
    QZ370_set_animation(QZ370_RUN);
    const int64_t armed_at = headless::now_ms();
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    EXPECT_EQ(headless::now_ms() - armed_at, PERIOD);
}

TEST(EventWait, ClickReplacesTheArmedPeriodicEvent)
{
    open_library();
    QZ370_set_animation(QZ370_RUN);
    click_when_idle_for_the(1);
    const int64_t start = headless::now_ms();
    EXPECT_EQ(next_event().kind, QZ370_MOUSE);
    EXPECT_EQ(headless::now_ms(), start);
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    EXPECT_EQ(headless::now_ms() - start, PERIOD);
}

TEST(EventWait, OneFrameArmsASinglePeriodicEvent)
{
    open_library();
    QZ370_set_animation(QZ370_ONE_FRAME);
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    click_when_idle_for_the(3);
    EXPECT_EQ(next_event().kind, QZ370_MOUSE);
}

TEST(EventWait, ClosingTheGraphicsWindowEnds)
{
    open_library();
    QZ370_set_animation(QZ370_RUN);
    headless::close_window(graphics_window);
    const Event event = next_event();
    EXPECT_EQ(event.kind, QZ370_EXIT);
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
    EXPECT_EQ(event.key, 0);
    EXPECT_FALSE(IsWindow(graphics_window));
    EXPECT_EQ(QZ370_end(), 1);
}

// The quit request ends its pass at once: no dispatch and no canvas copy.
TEST(EventWait, QuitRequestEndsThePassWithoutCopying)
{
    open_library();
    PostQuitMessage(0);
    ASSERT_EQ(canvas_dirty, 1);
    EXPECT_EQ(next_event().kind, QZ370_EXIT);
    EXPECT_EQ(canvas_dirty, 1);
}

// Click coordinates are unsigned 16-bit halves; a character's key is its low
// byte as a signed 8-bit value; null out-parameters are skipped.
TEST(EventWait, InputAtTheEdgesOfItsRange)
{
    open_library();
    PostMessageA(graphics_window, WM_LBUTTONDOWN, 0, MAKELPARAM(0xFFFF, 0xFFFF));
    PostMessageA(graphics_window, WM_LBUTTONDOWN, 0, -1);
    PostMessageA(graphics_window, WM_CHAR, 200, 0);
    PostMessageA(graphics_window, WM_CHAR, 0x1E9, 0);
    PostMessageA(graphics_window, WM_CHAR, 255, 0);
    for (int click = 0; click < 2; ++click) {
        const Event event = next_event();
        EXPECT_EQ(event.kind, QZ370_MOUSE);
        EXPECT_EQ(event.x, 0xFFFF - CLIENT_CENTRE_X);
        EXPECT_EQ(event.y, CLIENT_CENTRE_Y - 0xFFFF);
    }
    EXPECT_EQ(static_cast<signed char>(next_event().key), -56);
    EXPECT_EQ(static_cast<signed char>(next_event().key), -23);
    EXPECT_EQ(QZ370_next_event(nullptr, nullptr, nullptr), QZ370_KBD);
}

namespace {

// The ways a user ends the program; each leads to the quit request.
struct QuitGesture {
    const char *name;
    void (*give)();
};

const QuitGesture QUIT_GESTURES[] = {
    {"CloseBox", [] { headless::close_window(graphics_window); }},
    {"QuitCommand", [] { headless::choose_menu_item(graphics_window, MENU_QUIT); }},
    {"CtrlQ",
     [] {
         headless::key_down(graphics_window, VK_CONTROL);
         headless::key_down(graphics_window, 'Q');
     }},
};

constexpr int SCRIPT_LINES = 10;
constexpr int MOST_WAITS_BEFORE_THE_QUIT = SCRIPT_LINES / 2;

// Lets the windows handle the queued input as passes of a wait would, up to
// the quit request it leads to, which stays queued.
void handle_input_up_to_the_quit_request()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class QuitDuringPlayback : public script_test::ScriptTest, public testing::WithParamInterface<QuitGesture> {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        std::string lines;
        for (int line = 0; line < SCRIPT_LINES; ++line) {
            lines += "QZ370_KBD(" + std::to_string('a' + line) + ");\n";
        }
        script_test::write_file(lines);
        open_library();
    }

    // The key of the script line a read would take next.
    static char next_scripted_key()
    {
        start_event();
        return read_script_line() ? input.current_event.key : 0;
    }
};

}  // namespace

TEST_P(QuitDuringPlayback, EndsContinuousPlaybackWhereItWas)
{
    perform_run_command(MENU_PLAYBACK);
    ASSERT_EQ(next_event().key, 'a');
    GetParam().give();
    int played = 1;
    Event event = next_event();
    while (event.kind == QZ370_KBD && played < MOST_WAITS_BEFORE_THE_QUIT) {
        ++played;
        event = next_event();
    }
    EXPECT_EQ(event.kind, QZ370_EXIT);
    EXPECT_EQ(next_scripted_key(), 'a' + played);
}

TEST_P(QuitDuringPlayback, EndsAPendingPlayOneUnplayed)
{
    perform_run_command(MENU_PLAY_ONE);
    GetParam().give();
    handle_input_up_to_the_quit_request();
    EXPECT_EQ(next_event().kind, QZ370_EXIT);
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(next_scripted_key(), 'a');
}

INSTANTIATE_TEST_SUITE_P(Gestures, QuitDuringPlayback, testing::ValuesIn(QUIT_GESTURES),
                         [](const testing::TestParamInfo<QuitGesture> &info) { return info.param.name; });
