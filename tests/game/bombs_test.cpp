#include <gtest/gtest.h>

#include "call_log.h"
#include "game_state.h"

namespace {

constexpr int32_t PLAYER_X = 0;
constexpr int32_t PLAYER_Y = -125;

struct Skies {
    EnemyShip fleet[FLEET_SIZE]{};
    Bomb bombs[FLEET_SIZE]{};
    int32_t player_alive = 1;

    // Every bomb falling far to the side of the player, clear of relaunch.
    Skies()
    {
        reset_fleet(fleet);
        for (Bomb &bomb : bombs)
            bomb = {200, 0};
    }
    void update() { update_bombs(bombs, fleet, player_alive, PLAYER_X, PLAYER_Y); }
    // Puts bomb 4 where the next update will leave it.
    void bomb_will_be_at(int32_t x, int32_t y) { bombs[4] = {x, y + 10}; }
};

TEST(UpdateBombs, FallTenAndRelaunchOnlyBelowTheLimit)
{
    Skies skies;
    skies.bombs[1] = {5, -640};
    skies.bombs[2] = {5, -641};
    skies.update();
    EXPECT_EQ(skies.bombs[0].y, -10);
    EXPECT_EQ(skies.bombs[1].y, -650) << "-650 itself is not below the limit";
    EXPECT_EQ(skies.bombs[2].x, skies.fleet[2].x);
    EXPECT_EQ(skies.bombs[2].y, skies.fleet[2].y);
}

TEST(UpdateBombs, DestroyedShipsBombKeepsFalling)
{
    Skies skies;
    skies.fleet[2].alive = 0;
    skies.bombs[2] = {5, -641};
    skies.update();
    skies.update();
    EXPECT_EQ(skies.bombs[2].x, 5);
    EXPECT_EQ(skies.bombs[2].y, -661);
}

TEST(UpdateBombs, FallStopsFarBelowTheFieldInsteadOfOverflowing)
{
    Skies skies;
    skies.fleet[2].alive = 0;
    skies.bombs[2] = {5, -1'999'999'985};
    skies.update();
    EXPECT_EQ(skies.bombs[2].y, -1'999'999'995);
    for (int i = 0; i < 3; i++)
        skies.update();
    EXPECT_EQ(skies.bombs[2].y, -1'999'999'995);

    skies.fleet[2].alive = 1;
    skies.update();
    EXPECT_EQ(skies.bombs[2].y, skies.fleet[2].y) << "a stopped bomb is still relaunched";
}

TEST(UpdateBombs, PlayerBoxExcludesItsEdges)
{
    struct Case {
        int32_t x, y;
        bool hits;
    };
    const Case cases[] = {
        {PLAYER_X - 13, PLAYER_Y - 12, false}, {PLAYER_X - 12, PLAYER_Y - 12, true},
        {PLAYER_X + 12, PLAYER_Y - 12, true},  {PLAYER_X + 13, PLAYER_Y - 12, false},
        {PLAYER_X, PLAYER_Y, false},           {PLAYER_X, PLAYER_Y - 1, true},
        {PLAYER_X, PLAYER_Y - 23, true},       {PLAYER_X, PLAYER_Y - 24, false},
    };
    for (const Case &c : cases) {
        Skies skies;
        skies.bomb_will_be_at(c.x, c.y);
        skies.update();
        EXPECT_EQ(skies.player_alive, c.hits ? 0 : 1) << "bomb at (" << c.x << "," << c.y << ")";
    }
}

using BombDrawing = CallLogTest;

TEST_F(BombDrawing, OnlyTheFirstHitOnALivePlayerExplodes)
{
    Skies skies;
    skies.bomb_will_be_at(3, -130);
    skies.update();
    EXPECT_EQ(skies.player_alive, 0);
    EXPECT_EQ(lines(), std::vector<std::string>{"yellow circle at (0,-125), radius 40\n"});

    skies.bomb_will_be_at(3, -131);
    skies.update();
    EXPECT_EQ(skies.player_alive, 0);
    EXPECT_EQ(lines().size(), 1u);
    EXPECT_EQ(skies.bombs[4].y, -131) << "a bomb that hits falls on";
}

TEST_F(BombDrawing, AllTenDrawnWhereverTheyAre)
{
    Skies skies;
    skies.bombs[0] = {-230, -900};
    skies.fleet[0].alive = 0;
    draw_bombs(skies.bombs);
    ASSERT_EQ(lines().size(), 10u);
    EXPECT_EQ(lines()[0], "yellow circle at (-230,-900), radius 4\n");
    EXPECT_EQ(lines()[9], "yellow circle at (200,0), radius 4\n");
}

}  // namespace
