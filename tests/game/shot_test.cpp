#include <gtest/gtest.h>

#include "call_log.h"
#include "game_state.h"

namespace {

// A fleet far to the right of the shot's path, unless a test moves a ship.
struct Target {
    EnemyShip fleet[FLEET_SIZE]{};
    LaserShot shot{0, -125};
    int32_t shot_active = 0;

    Target()
    {
        for (EnemyShip &ship : fleet)
            ship = {250, 100, 1, 13, 3};
    }
};

TEST(ResetShot, ReturnsToRestHeightOnly)
{
    LaserShot shot{42, 200};
    reset_shot(shot);
    EXPECT_EQ(shot.x, 42);
    EXPECT_EQ(shot.y, -125);
}

TEST(AdvanceShot, HitBoxIsExclusiveAtTwentyToEitherSide)
{
    for (int32_t offset : {-20, -19, 19, 20}) {
        Target target;
        target.fleet[5] = {offset, 100, 1, 13, 3};
        target.shot = {0, 110};
        target.shot_active = 1;
        advance_shot(target.shot, target.fleet, target.shot_active);
        const bool hit = offset == 19 || offset == -19;
        EXPECT_EQ(target.fleet[5].alive, hit ? 0 : 1) << "ship at x " << offset;
        EXPECT_EQ(target.shot_active, hit ? 0 : 1) << "ship at x " << offset;
    }
}

TEST(AdvanceShot, HitBoxReachesFrom13BelowTo37AboveExclusive)
{
    for (int32_t shot_y : {87, 88, 136, 137}) {
        Target target;
        target.fleet[0] = {0, 100, 1, 13, 3};
        target.shot = {0, shot_y};
        target.shot_active = 1;
        advance_shot(target.shot, target.fleet, target.shot_active);
        const bool hit = shot_y == 88 || shot_y == 136;
        EXPECT_EQ(target.fleet[0].alive, hit ? 0 : 1) << "shot at y " << shot_y;
        EXPECT_EQ(target.shot.y, hit ? -125 : shot_y) << "shot at y " << shot_y;
    }
}

TEST(AdvanceShot, OneShotHitsOnlyTheLowestNumberedSlot)
{
    Target target;
    target.fleet[3] = {10, 100, 1, 13, 3};
    target.fleet[7] = {10, 100, 1, 13, 3};
    target.shot = {0, 110};
    target.shot_active = 1;
    advance_shot(target.shot, target.fleet, target.shot_active);
    EXPECT_EQ(target.fleet[3].alive, 0);
    EXPECT_EQ(target.fleet[7].alive, 1);
}

TEST(FlyShot, AtRestDoesNothing)
{
    Target target;
    fly_shot(target.shot, target.fleet, target.shot_active);
    EXPECT_EQ(target.shot.y, -125);
    EXPECT_EQ(target.shot_active, 0);
}

TEST(FlyShot, AlreadyAboveTheFieldIsRetiredWithoutRising)
{
    Target target;
    target.shot = {0, 251};
    target.shot_active = 1;
    fly_shot(target.shot, target.fleet, target.shot_active);
    EXPECT_EQ(target.shot_active, 0);
    EXPECT_EQ(target.shot.y, -125);
}

using ShotDrawing = CallLogTest;

TEST_F(ShotDrawing, ShotFromRestRisesElevenTimesThenRetires)
{
    Target target;
    fire_shot(target.shot, target.shot_active, 0);
    std::vector<std::string> expected;
    for (int32_t lower_end = -76; lower_end <= 274; lower_end += 35) {
        ASSERT_EQ(target.shot_active, 1) << "before drawing at " << lower_end;
        fly_shot(target.shot, target.fleet, target.shot_active);
        expected.push_back("red rectangle with bounding box (-1," + std::to_string(lower_end + 25) + ") to (1," +
                           std::to_string(lower_end) + "), filled\n");
    }
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(expected.size(), 11u);
    EXPECT_EQ(target.shot_active, 0);
    EXPECT_EQ(target.shot.y, -125);

    fly_shot(target.shot, target.fleet, target.shot_active);
    EXPECT_EQ(lines().size(), 11u) << "a retired shot is not drawn";
}

TEST_F(ShotDrawing, DestroyedShipStillStopsTheShotAndExplodesAgain)
{
    Target target;
    target.fleet[2] = {-30, 120, 0, 13, 3};
    target.shot = {-30, 110};
    target.shot_active = 1;
    advance_shot(target.shot, target.fleet, target.shot_active);
    EXPECT_EQ(target.shot_active, 0);
    EXPECT_EQ(target.shot.y, -125);
    const std::vector<std::string> expected = {
        "red rectangle with bounding box (-31,135) to (-29,110), filled\n",
        "orange circle at (-30,120), radius 35\n",
    };
    EXPECT_EQ(lines(), expected);
}

}  // namespace
