#include <gtest/gtest.h>

#include "call_log.h"
#include "game_state.h"

namespace {

// One frame: backdrop 23 lines, panel 14, player 7, bombs 10, ten ships 60.
constexpr size_t OPENING_LINES = 23 + 14;
constexpr size_t FULL_FRAME_LINES = OPENING_LINES + 7 + 10 + 60;
constexpr size_t FIRST_BOMB_LINE = OPENING_LINES + 7;
constexpr size_t FIRST_SHIP_LINE = FIRST_BOMB_LINE + 10;

const std::string FIELD_LINE = "black rectangle with bounding box (-300,250) to (300,-250), filled\n";

class MainLoop : public CallLogTest {
protected:
    GameState game{};

    void SetUp() override
    {
        CallLogTest::SetUp();
        start_game(game);
    }
    // A world step any event gives, without the event's own reaction.
    GameState stepped_by_a_key()
    {
        GameState copy = game;
        play_pass(copy, QZ370_KBD, 0, 0);
        return copy;
    }
};

TEST_F(MainLoop, StartsWithTheInitialValues)
{
    for (int i = 0; i < FLEET_SIZE; i++) {
        const bool even = i % 2 == 0;
        EXPECT_EQ(game.fleet[i].x, i * 50 - 230);
        EXPECT_EQ(game.fleet[i].y, even ? 295 : 324);
        EXPECT_EQ(game.fleet[i].alive, 1);
        EXPECT_EQ(game.fleet[i].colour, even ? 13 : 9);
        EXPECT_EQ(game.fleet[i].dx, even ? -3 : 3);
        EXPECT_EQ(game.bombs[i].x, game.fleet[i].x);
        EXPECT_EQ(game.bombs[i].y, even ? -405 : -376);
    }
    EXPECT_EQ(game.fleet_dy, -3);
    EXPECT_EQ(game.shot.y, -125);
    EXPECT_EQ(game.shot_active, 0);
    EXPECT_EQ(game.player.x, 0);
    EXPECT_EQ(game.player.y, -125);
    EXPECT_EQ(game.player.alive, 1);
    EXPECT_EQ(game.player.speed, 3);
    EXPECT_EQ(game.player.direction, 1);
    EXPECT_EQ(game.stars.x, 250);
    EXPECT_EQ(game.stars.y1, -125);
    EXPECT_EQ(game.stars.y2, 575);
    EXPECT_EQ(game.done, 0);
}

TEST_F(MainLoop, OpeningPictureIsBackdropAndPanelOnly)
{
    ASSERT_EQ(lines().size(), OPENING_LINES);
    EXPECT_EQ(lines()[0], FIELD_LINE);
    EXPECT_EQ(lines()[23], "white rectangle with bounding box (-295,245) to (-220,220) with line width 1\n");
}

TEST_F(MainLoop, FirstTickBringsTheFirstFullFrameInCoveringOrder)
{
    forget_lines();
    play_pass(game, QZ370_PERIODIC, 0, 0);
    ASSERT_EQ(lines().size(), FULL_FRAME_LINES);
    EXPECT_EQ(lines()[0], FIELD_LINE);
    EXPECT_EQ(lines()[1], "white circle at (265,-21), radius 1\n") << "stars scrolled before drawing";
    EXPECT_EQ(lines()[OPENING_LINES], "white triangle at (-37,-150), (3,-125), (43,-94)\n");
    EXPECT_EQ(lines()[FIRST_BOMB_LINE], "yellow circle at (-230,-415), radius 4\n");
    EXPECT_EQ(lines()[FIRST_SHIP_LINE], "red triangle at (-273,292), (-233,292), (-193,323)\n");
}

TEST_F(MainLoop, ClickOffThePanelOrAKeyStepsOnlyShotBombsAndFleet)
{
    game.shot_active = 1;
    game.shot = {0, -76};
    const GameState before = game;
    const int events[][3] = {{QZ370_MOUSE, 0, 0}, {QZ370_MOUSE, -295, 100}, {QZ370_MOUSE, -250, 245},
                             {QZ370_KBD, 0, 0}};
    for (const auto &event : events) {
        game = before;
        forget_lines();
        play_pass(game, event[0], event[1], event[2]);
        EXPECT_EQ(lines().size(), FULL_FRAME_LINES + 1) << "the beam is drawn too";
        EXPECT_EQ(game.stars.y1, -125);
        EXPECT_EQ(game.player.x, 0);
        EXPECT_EQ(game.player.speed, 3);
        EXPECT_EQ(game.shot.y, -41);
        EXPECT_EQ(game.bombs[0].y, -415);
        EXPECT_EQ(game.fleet[0].x, -233);
        EXPECT_EQ(game.fleet[0].y, 292);
        EXPECT_EQ(game.done, 0);
    }
}

TEST_F(MainLoop, EndEventStillDrawsAndStepsOneFullFrame)
{
    forget_lines();
    play_pass(game, QZ370_EXIT, 0, 0);
    EXPECT_EQ(game.done, 1);
    EXPECT_EQ(lines().size(), FULL_FRAME_LINES);
    EXPECT_EQ(game.fleet[0].y, 292);
    EXPECT_EQ(game.stars.y1, -125);
}

TEST_F(MainLoop, BombsFirstDroppedInPasses25And28FromTheShipsBeforeTheirMove)
{
    for (int pass = 1; pass <= 28; pass++) {
        const GameState before = game;
        play_pass(game, QZ370_PERIODIC, 0, 0);
        EXPECT_EQ(game.bombs[0].y > 0, pass >= 25) << "pass " << pass;
        EXPECT_EQ(game.bombs[1].y > 0, pass >= 28) << "pass " << pass;
        const int dropped_slot = pass == 25 ? 0 : pass == 28 ? 1 : -1;
        if (dropped_slot >= 0) {
            EXPECT_EQ(game.bombs[dropped_slot].x, before.fleet[dropped_slot].x);
            EXPECT_EQ(game.bombs[dropped_slot].y, before.fleet[dropped_slot].y);
        }
    }
}

TEST_F(MainLoop, ShootFromThePanelDrawsTheBeamInTheSamePass)
{
    game.player.x = 30;
    forget_lines();
    play_pass(game, QZ370_MOUSE, -250, 80);
    EXPECT_EQ(game.shot_active, 1);
    EXPECT_EQ(game.shot.y, -76);
    const int beam = find_line("red rectangle with bounding box (29,-51) to (31,-76), filled\n");
    EXPECT_EQ(beam, static_cast<int>(OPENING_LINES + 7)) << "after the player, before the bombs";
}

TEST_F(MainLoop, LastShipDestroyedStartsTheNextWaveInTheSamePass)
{
    for (int i = 1; i < FLEET_SIZE; i++)
        game.fleet[i].alive = 0;
    game.fleet[2].colour = 23;
    game.fleet[0].y = 100;
    game.shot_active = 1;
    game.shot = {-230, 70};
    forget_lines();
    play_pass(game, QZ370_KBD, 0, 0);

    const int explosion = find_line("orange circle at (-230,100), radius 35\n");
    ASSERT_GE(explosion, 0);
    EXPECT_EQ(lines().size(), FULL_FRAME_LINES + 2) << "beam and explosion";
    EXPECT_GT(find_line("brown rectangle with bounding box (-253,310) to (-213,292), filled\n", explosion), explosion);
    EXPECT_GT(find_line("dusty plum rectangle with bounding box (-197,339) to (-157,321), filled\n", explosion),
              explosion);
    EXPECT_EQ(game.fleet[2].colour, 1);
    EXPECT_EQ(count_live_ships(game.fleet), FLEET_SIZE);
    EXPECT_EQ(game.shot_active, 0);
}

TEST_F(MainLoop, NewGameAfterThePlayerWasDestroyedKeepsTheRestOfTheWorld)
{
    for (int pass = 0; pass < 30; pass++)
        play_pass(game, QZ370_PERIODIC, 0, 0);
    game.player.alive = 0;
    game.player.direction = -1;
    game.fleet[3].alive = 0;
    game.shot_active = 1;
    game.shot = {40, -6};
    const GameState control = stepped_by_a_key();

    forget_lines();
    play_pass(game, QZ370_MOUSE, -250, 230);

    EXPECT_EQ(game.player.alive, 1);
    EXPECT_EQ(game.player.x, 0);
    EXPECT_EQ(game.player.speed, 0);
    EXPECT_EQ(game.player.direction, -1);
    EXPECT_EQ(game.fleet_dy, control.fleet_dy);
    EXPECT_EQ(game.shot_active, control.shot_active);
    EXPECT_EQ(game.shot.y, control.shot.y);
    EXPECT_EQ(game.stars.y1, control.stars.y1);
    EXPECT_EQ(game.stars.y2, control.stars.y2);
    for (int i = 0; i < FLEET_SIZE; i++) {
        EXPECT_EQ(game.bombs[i].x, control.bombs[i].x);
        EXPECT_EQ(game.bombs[i].y, control.bombs[i].y);
        EXPECT_EQ(game.fleet[i].colour, control.fleet[i].colour);
        EXPECT_EQ(game.fleet[i].alive, 1);
        EXPECT_EQ(game.fleet[i].y, i % 2 == 0 ? 292 : 321);
    }
    EXPECT_EQ(lines()[OPENING_LINES], "white triangle at (-40,-150), (0,-125), (40,-94)\n") << "drawn again";
}

TEST_F(MainLoop, DestroyedPlayerIsNotDrawnButStillMoves)
{
    game.player.alive = 0;
    forget_lines();
    play_pass(game, QZ370_PERIODIC, 0, 0);
    EXPECT_EQ(lines().size(), FULL_FRAME_LINES - 7);
    EXPECT_EQ(game.player.x, 3);
}

}  // namespace
