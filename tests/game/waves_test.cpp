#include <gtest/gtest.h>

#include "game_state.h"

namespace {

TEST(CountLiveShips, CountsOnlyAliveOne)
{
    EnemyShip fleet[FLEET_SIZE]{};
    fleet[1].alive = 1;
    fleet[4].alive = 1;
    fleet[7].alive = 2;
    EXPECT_EQ(count_live_ships(fleet), 2);
}

TEST(StartWaveIfCleared, OneLiveShipKeepsTheWave)
{
    EnemyShip fleet[FLEET_SIZE]{};
    for (EnemyShip &ship : fleet)
        ship = {7, 60, 0, 13, 3};
    fleet[9].alive = 1;
    start_wave_if_cleared(fleet);
    EXPECT_EQ(fleet[0].x, 7);
    EXPECT_EQ(fleet[0].colour, 13);
    EXPECT_EQ(fleet[0].alive, 0);
}

TEST(StartWaveIfCleared, NextColoursSkipBlack)
{
    EnemyShip fleet[FLEET_SIZE]{};
    for (int i = 0; i < FLEET_SIZE; i++)
        fleet[i] = {7, 60, 0, i % 2 == 0 ? 23 : 9, 3};
    start_wave_if_cleared(fleet);
    for (int i = 0; i < FLEET_SIZE; i++) {
        EXPECT_EQ(fleet[i].colour, i % 2 == 0 ? 1 : 10);
        EXPECT_EQ(fleet[i].alive, 1);
        EXPECT_EQ(fleet[i].x, 50 * i - 230);
        EXPECT_EQ(fleet[i].y, i % 2 == 0 ? 295 : 324);
    }
}

TEST(StartWaveIfCleared, HullsRunThroughOneToTwentyThree)
{
    EnemyShip fleet[FLEET_SIZE]{};
    paint_first_wave(fleet);
    for (int wave = 0; wave < 60; wave++) {
        for (EnemyShip &ship : fleet)
            ship.alive = 0;
        start_wave_if_cleared(fleet);
        for (const EnemyShip &ship : fleet) {
            ASSERT_GE(ship.colour, 1);
            ASSERT_LE(ship.colour, 23);
        }
    }
    EXPECT_EQ(fleet[0].colour, (13 - 1 + 60) % 23 + 1);
}

}  // namespace
