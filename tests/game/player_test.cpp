#include <gtest/gtest.h>

#include "game_state.h"

namespace {

TEST(MovePlayer, GlidesByDirectionTimesSpeed)
{
    PlayerShip player{10, -125, 1, 8, -1};
    move_player(player);
    EXPECT_EQ(player.x, 2);
    EXPECT_EQ(player.y, -125);
}

TEST(MovePlayer, TurnsAtTheSideWithoutMovingInThatTick)
{
    PlayerShip player{280, -125, 1, 3, +1};
    move_player(player);
    EXPECT_EQ(player.x, 280);
    EXPECT_EQ(player.direction, -1);
    move_player(player);
    EXPECT_EQ(player.x, 277);
}

TEST(MovePlayer, MayStandExactlyAtTheSide)
{
    PlayerShip player{-277, -125, 1, 3, -1};
    move_player(player);
    EXPECT_EQ(player.x, -280);
    EXPECT_EQ(player.direction, -1);
}

TEST(MovePlayer, OvershootingEverySideFlipsEveryTick)
{
    PlayerShip player{0, -125, 1, 281, +1};
    for (int tick = 1; tick <= 4; tick++) {
        move_player(player);
        EXPECT_EQ(player.x, 0);
        EXPECT_EQ(player.direction, tick % 2 == 1 ? -1 : +1);
    }
}

TEST(MovePlayer, GreatestSpeedDoesNotOverflow)
{
    PlayerShip player{280, -125, 1, MAX_PLAYER_SPEED, +1};
    move_player(player);
    EXPECT_EQ(player.x, 280);
    EXPECT_EQ(player.direction, -1);
    move_player(player);
    EXPECT_EQ(player.x, 280);
    EXPECT_EQ(player.direction, +1);
}

TEST(MovePlayer, DestroyedShipMovesToo)
{
    PlayerShip player{0, -125, 0, 3, +1};
    move_player(player);
    EXPECT_EQ(player.x, 3);
}

}  // namespace
