#include <gtest/gtest.h>

#include "call_log.h"
#include "game_state.h"

namespace {

using SceneArt = CallLogTest;

TEST_F(SceneArt, BackdropIsFieldStarsTitleAndCredit)
{
    draw_backdrop(250, -125, 575);
    ASSERT_EQ(lines().size(), 23u);
    EXPECT_EQ(lines()[0], "black rectangle with bounding box (-300,250) to (300,-250), filled\n");
    EXPECT_EQ(lines()[1], "white circle at (265,-15), radius 1\n");
    EXPECT_EQ(lines()[11], "white circle at (265,685), radius 1\n");
    EXPECT_EQ(lines()[21], "yellow text at (-100,-220), \"VORTALINE \xAE EPISODE 2\"\n");
    EXPECT_TRUE(lines()[22].starts_with("white text at (-100,-240), \"")) << lines()[22];
}

TEST_F(SceneArt, PlayerShipPiecesInDrawingOrder)
{
    draw_player_ship(10, -125);
    const std::vector<std::string> expected = {
        "white triangle at (-30,-150), (10,-125), (50,-94)\n",
        "white triangle at (50,-150), (10,-125), (-30,-94)\n",
        "white circle at (10,-125), radius 22\n",
        "50% gray rectangle with bounding box (-10,-119) to (30,-125), filled\n",
        "20% gray rectangle with bounding box (-3,-107) to (23,-113), filled\n",
        "50% gray rectangle with bounding box (8,-93) to (12,-101), filled\n",
        "50% gray circle at (10,-125), radius 10\n",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(SceneArt, EnemyHullTakesTheShipsColourOnly)
{
    draw_enemy_ship({-30, 100, 1, 23, 3});
    const std::vector<std::string> expected = {
        "red triangle at (-70,100), (-30,100), (10,131)\n",
        "red triangle at (10,100), (-30,100), (-70,131)\n",
        "20% gray rectangle with bounding box (-50,118) to (-10,100), filled\n",
        "black circle at (-17,110), radius 2\n",
        "black circle at (-43,110), radius 2\n",
        "50% gray rectangle with bounding box (-43,100) to (-17,95), filled\n",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(SceneArt, ExplosionsAreFilledDiscs)
{
    explode_ship({40, 200, 0, 9, -3});
    explode_player(-60, -125);
    const std::vector<std::string> expected = {
        "orange circle at (40,200), radius 35\n",
        "yellow circle at (-60,-125), radius 40\n",
    };
    EXPECT_EQ(lines(), expected);
}

}  // namespace
