#include <gtest/gtest.h>

#include "open_library.h"

using namespace events_test;

namespace {

void expect_flags(uint8_t running, uint8_t single_step, uint8_t ending)
{
    EXPECT_EQ(input.running, running);
    EXPECT_EQ(input.single_step, single_step);
    EXPECT_EQ(input.ending, ending);
}

}  // namespace

TEST(AnimationModes, BeforeOpeningReturnZeroAndChangeNothing)
{
    for (int mode : {QZ370_HALT, QZ370_ONE_FRAME, QZ370_RUN, 3, QZ370_END}) {
        EXPECT_EQ(QZ370_set_animation(mode), 0) << "mode " << mode;
    }
    expect_flags(0, 0, 0);
}

TEST(AnimationModes, EachModeChangesOnlyItsFlags)
{
    open_library();
    EXPECT_EQ(QZ370_set_animation(QZ370_RUN), 1);
    EXPECT_EQ(QZ370_set_animation(QZ370_ONE_FRAME), 1);
    expect_flags(1, 1, 0);
    for (int mode : {3, 4, -1, 6}) {
        EXPECT_EQ(QZ370_set_animation(mode), 1) << "mode " << mode;
    }
    expect_flags(1, 1, 0);
    EXPECT_EQ(QZ370_set_animation(QZ370_HALT), 1);
    expect_flags(0, 0, 0);
    EXPECT_EQ(QZ370_set_animation(QZ370_END), 1);
    QZ370_set_animation(QZ370_HALT);
    expect_flags(0, 0, 1);
}

// The end mode changes only the result: the wait still waits for a real event
// and hands out its position.
TEST(AnimationModes, EndStillWaitsForInputThenReturnsExit)
{
    open_library();
    QZ370_set_animation(QZ370_END);
    int idle_calls = 0;
    qz370::headless::set_idle_hook([&idle_calls] {
        if (++idle_calls == 2) {
            click_client(CLIENT_CENTRE_X + 5, CLIENT_CENTRE_Y);
        }
    });
    const Event event = next_event();
    EXPECT_EQ(event.kind, QZ370_EXIT);
    EXPECT_EQ(event.x, 5);
    EXPECT_EQ(idle_calls, 2);
    qz370::headless::set_idle_hook(nullptr);
}
