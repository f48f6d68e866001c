#include <gtest/gtest.h>

#include "call_log.h"
#include "game_state.h"

namespace {

struct Fleet {
    EnemyShip ships[FLEET_SIZE]{};
    int32_t dy = -3;

    Fleet() { reset_fleet(ships); }
    void move(int times)
    {
        for (int i = 0; i < times; i++)
            move_fleet(ships, dy);
    }
    std::vector<int32_t> heights() const
    {
        std::vector<int32_t> result;
        for (const EnemyShip &ship : ships)
            result.push_back(ship.y);
        return result;
    }
};

TEST(ResetFleet, StandsInTwoInterleavedRowsAndKeepsColours)
{
    EnemyShip ships[FLEET_SIZE]{};
    for (EnemyShip &ship : ships)
        ship = {999, 999, 0, 17, 3};
    reset_fleet(ships);
    for (int i = 0; i < FLEET_SIZE; i++) {
        EXPECT_EQ(ships[i].x, 50 * i - 230);
        EXPECT_EQ(ships[i].y, i % 2 == 0 ? 295 : 324);
        EXPECT_EQ(ships[i].dx, i % 2 == 0 ? -3 : 3);
        EXPECT_EQ(ships[i].alive, 1);
        EXPECT_EQ(ships[i].colour, 17);
    }
}

TEST(MoveFleet, SinksUntilMove91)
{
    Fleet fleet;
    fleet.move(91);
    EXPECT_EQ(fleet.heights(), (std::vector<int32_t>{22, 51, 22, 51, 22, 51, 22, 51, 22, 51}));
    EXPECT_EQ(fleet.dy, -3);
}

TEST(MoveFleet, FirstShipBelowTheFloorTurnsEveryShipInMove92)
{
    Fleet fleet;
    fleet.move(92);
    EXPECT_EQ(fleet.heights(), (std::vector<int32_t>{25, 54, 25, 54, 25, 54, 25, 54, 25, 54}));
    EXPECT_EQ(fleet.dy, 3);
}

TEST(MoveFleet, TopTurnIsSeenOnlyFromShipThreeOnInMove160)
{
    Fleet fleet;
    fleet.move(160);
    EXPECT_EQ(fleet.heights(), (std::vector<int32_t>{229, 258, 229, 252, 223, 252, 223, 252, 223, 252}));
    EXPECT_EQ(fleet.dy, -3);
}

TEST(MoveFleet, StaysBetweenTheFloorAndTheStartFormationForLong)
{
    Fleet fleet;
    for (int move = 0; move < 5000; move++) {
        fleet.move(1);
        for (const EnemyShip &ship : fleet.ships) {
            ASSERT_GE(ship.y, 22);
            ASSERT_LE(ship.y, 324);
            ASSERT_GE(ship.x, -263);
            ASSERT_LE(ship.x, 263);
        }
    }
}

TEST(MoveFleet, ShipTurnsOnlyOnceBeyondTheSideLimit)
{
    Fleet fleet;
    fleet.ships[0].x = -257;
    fleet.move(1);
    EXPECT_EQ(fleet.ships[0].x, -260);
    EXPECT_EQ(fleet.ships[0].dx, -3);
    fleet.move(1);
    EXPECT_EQ(fleet.ships[0].x, -263);
    EXPECT_EQ(fleet.ships[0].dx, 3);
    fleet.move(1);
    EXPECT_EQ(fleet.ships[0].x, -260);
}

TEST(MoveFleet, DestroyedShipsMoveOnWithTheFleet)
{
    Fleet fleet;
    fleet.ships[4].alive = 0;
    fleet.move(1);
    EXPECT_EQ(fleet.ships[4].x, -33);
    EXPECT_EQ(fleet.ships[4].y, 292);
}

using FleetDrawing = CallLogTest;

TEST_F(FleetDrawing, DrawsLiveShipsOnly)
{
    Fleet fleet;
    for (int i = 0; i < FLEET_SIZE; i++)
        fleet.ships[i].alive = i == 3 || i == 6 ? 1 : 0;
    draw_fleet(fleet.ships);
    EXPECT_EQ(lines().size(), 12u);
    EXPECT_EQ(find_line("red triangle at (-120,324), (-80,324), (-40,355)\n"), 0);
    EXPECT_EQ(find_line("red triangle at (30,295), (70,295), (110,326)\n"), 6);
}

TEST_F(FleetDrawing, AliveMeansExactlyOne)
{
    Fleet fleet;
    for (EnemyShip &ship : fleet.ships)
        ship.alive = 2;
    draw_fleet(fleet.ships);
    EXPECT_TRUE(lines().empty());
}

}  // namespace
