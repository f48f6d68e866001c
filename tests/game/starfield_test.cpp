#include <gtest/gtest.h>

#include "call_log.h"
#include "game_state.h"

namespace {

constexpr int32_t PATTERN_DY[] = {110, -25, -400, -300, -400, -240, -89, 100, 142, 123};

Starfield started()
{
    Starfield stars{};
    reset_starfield(stars);
    return stars;
}

bool copy_shows_a_star(int32_t y)
{
    for (int32_t dy : PATTERN_DY)
        if (int64_t{y} + dy >= -250 && int64_t{y} + dy <= 250)
            return true;
    return false;
}

TEST(ScrollStarfield, WrapsOnlyBelowMinus550)
{
    struct Case {
        int32_t before, after;
    };
    for (const Case c : {Case{-544, -550}, Case{-545, 651}, Case{-550, 656}}) {
        Starfield stars{250, c.before, c.before};
        scroll_starfield(stars);
        EXPECT_EQ(stars.y1, c.after) << "from " << c.before;
        EXPECT_EQ(stars.y2, c.after) << "from " << c.before;
        EXPECT_EQ(stars.x, 250);
    }
}

TEST(ScrollStarfield, FirstWrapsOfEachCopy)
{
    Starfield stars = started();
    for (int tick = 0; tick < 70; tick++)
        scroll_starfield(stars);
    EXPECT_EQ(stars.y1, -545);
    scroll_starfield(stars);
    EXPECT_EQ(stars.y1, 651);
    EXPECT_EQ(stars.y2, 149);

    for (int tick = 71; tick < 188; tick++)
        scroll_starfield(stars);
    EXPECT_EQ(stars.y1, -51);
    EXPECT_EQ(stars.y2, 653);
}

TEST(ScrollStarfield, FieldNeverWithoutStars)
{
    Starfield stars = started();
    for (int tick = 0; tick < 5000; tick++) {
        ASSERT_TRUE(copy_shows_a_star(stars.y1) || copy_shows_a_star(stars.y2)) << "tick " << tick;
        scroll_starfield(stars);
    }
}

using StarDrawing = CallLogTest;

TEST_F(StarDrawing, TenWhiteDotsAroundTheOrigin)
{
    draw_star_pattern(250, -125);
    const std::vector<std::string> expected = {
        "white circle at (265,-15), radius 1\n",   "white circle at (259,-150), radius 1\n",
        "white circle at (-173,-525), radius 1\n", "white circle at (-260,-425), radius 1\n",
        "white circle at (61,-525), radius 1\n",   "white circle at (110,-365), radius 1\n",
        "white circle at (10,-214), radius 1\n",   "white circle at (-100,-25), radius 1\n",
        "white circle at (191,17), radius 1\n",    "white circle at (-50,-2), radius 1\n",
    };
    EXPECT_EQ(lines(), expected);
}

}  // namespace
