#include <gtest/gtest.h>

#include "call_log.h"
#include "game_state.h"

namespace {

GameState fresh_game()
{
    GameState game{};
    set_up_game(game);
    return game;
}

void click(GameState &game, int y, int x = -250)
{
    PlayerShip &player = game.player;
    panel_click(x, y, player.speed, player.direction, game.shot_active, game.shot, player.x, game.fleet,
                player.alive);
}

constexpr int NEW_GAME_Y = 230;
constexpr int STOP_Y = 210;
constexpr int GO_Y = 180;
constexpr int SLOWER_Y = 160;
constexpr int SPEEDUP_Y = 130;
constexpr int REVERSE_Y = 110;
constexpr int SHOOT_Y = 80;

TEST(PanelHit, AcceptsOnlyPointsStrictlyInsideTheColumn)
{
    EXPECT_EQ(panel_hit(-294, 100), 1);
    EXPECT_EQ(panel_hit(-221, 100), 1);
    EXPECT_EQ(panel_hit(-250, 71), 1);
    EXPECT_EQ(panel_hit(-250, 244), 1);

    EXPECT_EQ(panel_hit(-295, 100), 0);
    EXPECT_EQ(panel_hit(-220, 100), 0);
    EXPECT_EQ(panel_hit(-250, 70), 0);
    EXPECT_EQ(panel_hit(-250, 245), 0);
    EXPECT_EQ(panel_hit(0, 0), 0);
    EXPECT_EQ(panel_hit(INT32_MIN, INT32_MAX), 0);
}

TEST(PanelClick, SharedEdgeBelongsToTheLowerButton)
{
    GameState game = fresh_game();
    game.player.x = 100;
    click(game, 220);
    EXPECT_EQ(game.player.speed, 0) << "y 220 is STOP";
    EXPECT_EQ(game.player.x, 100) << "y 220 is not NEW GAME";

    click(game, 221);
    EXPECT_EQ(game.player.x, 0) << "y 221 is NEW GAME";

    click(game, 96);
    EXPECT_EQ(game.player.direction, -1) << "y 96 is REVERSE";
    EXPECT_EQ(game.shot_active, 0);

    click(game, 95);
    EXPECT_EQ(game.shot_active, 1) << "y 95 is SHOOT!";
    EXPECT_EQ(game.player.direction, -1);
}

TEST(PanelClick, LowestRowIsShoot)
{
    GameState game = fresh_game();
    click(game, 71);
    EXPECT_EQ(game.shot_active, 1);
}

TEST(PanelClick, GoAndStopSetTheSpeed)
{
    GameState game = fresh_game();
    click(game, GO_Y);
    EXPECT_EQ(game.player.speed, 8);
    click(game, STOP_Y);
    EXPECT_EQ(game.player.speed, 0);
}

TEST(PanelClick, SlowerNeverGoesBelowZero)
{
    GameState game = fresh_game();
    game.player.speed = 1;
    click(game, SLOWER_Y);
    EXPECT_EQ(game.player.speed, 0);
    click(game, SLOWER_Y);
    EXPECT_EQ(game.player.speed, 0);
}

TEST(PanelClick, SpeedupFiveTimesFromStartEqualsGo)
{
    GameState game = fresh_game();
    for (int i = 0; i < 5; i++)
        click(game, SPEEDUP_Y);
    EXPECT_EQ(game.player.speed, 8);
}

TEST(PanelClick, SpeedupSaturatesInsteadOfOverflowing)
{
    GameState game = fresh_game();
    game.player.speed = MAX_PLAYER_SPEED - 1;
    click(game, SPEEDUP_Y);
    EXPECT_EQ(game.player.speed, MAX_PLAYER_SPEED);
    click(game, SPEEDUP_Y);
    EXPECT_EQ(game.player.speed, MAX_PLAYER_SPEED);
}

TEST(PanelClick, ReverseTwiceRestoresTheDirection)
{
    GameState game = fresh_game();
    click(game, REVERSE_Y);
    EXPECT_EQ(game.player.direction, -1);
    click(game, REVERSE_Y);
    EXPECT_EQ(game.player.direction, +1);
}

TEST(PanelClick, ShootFiresFromThePlayerAndIgnoresASecondPress)
{
    GameState game = fresh_game();
    game.player.x = -40;
    click(game, SHOOT_Y);
    EXPECT_EQ(game.shot_active, 1);
    EXPECT_EQ(game.shot.x, -40);
    EXPECT_EQ(game.shot.y, -111);

    game.shot.y = 64;
    game.player.x = 90;
    click(game, SHOOT_Y);
    EXPECT_EQ(game.shot.x, -40);
    EXPECT_EQ(game.shot.y, 64);
}

TEST(PanelClick, DestroyedPlayerStillShoots)
{
    GameState game = fresh_game();
    game.player.alive = 0;
    game.player.x = 120;
    click(game, SHOOT_Y);
    EXPECT_EQ(game.shot_active, 1);
    EXPECT_EQ(game.shot.x, 120);
}

TEST(PanelClick, NewGameRevivesThePlayerAndKeepsTheRest)
{
    GameState game = fresh_game();
    for (int i = 0; i < FLEET_SIZE; i++) {
        game.fleet[i].alive = i % 3;
        game.fleet[i].x += 7;
        game.fleet[i].y -= 100;
        game.fleet[i].colour = 17;
    }
    game.player = {150, -125, 0, 8, -1};
    game.shot_active = 1;
    game.shot = {150, 29};

    click(game, NEW_GAME_Y);

    EXPECT_EQ(game.player.x, 0);
    EXPECT_EQ(game.player.speed, 0);
    EXPECT_EQ(game.player.alive, 1);
    EXPECT_EQ(game.player.direction, -1);
    EXPECT_EQ(game.shot_active, 1);
    EXPECT_EQ(game.shot.x, 150);
    EXPECT_EQ(game.shot.y, 29);
    for (int i = 0; i < FLEET_SIZE; i++) {
        EXPECT_EQ(game.fleet[i].alive, 1);
        EXPECT_EQ(game.fleet[i].x, 50 * i - 230);
        EXPECT_EQ(game.fleet[i].y, i % 2 == 0 ? 295 : 324);
        EXPECT_EQ(game.fleet[i].colour, 17);
    }
}

TEST(PanelClick, PointsBelowThePanelDoNothing)
{
    GameState game = fresh_game();
    const GameState before = game;
    click(game, 70);
    click(game, -1000);
    click(game, INT32_MIN);
    EXPECT_EQ(game.player.speed, before.player.speed);
    EXPECT_EQ(game.player.direction, before.player.direction);
    EXPECT_EQ(game.shot_active, 0);
}

using ControlPanelDrawing = CallLogTest;

TEST_F(ControlPanelDrawing, FramesThenLabelsTopToBottom)
{
    draw_control_panel();
    const std::vector<std::string> expected = {
        "white rectangle with bounding box (-295,245) to (-220,220) with line width 1\n",
        "white rectangle with bounding box (-295,220) to (-220,195) with line width 1\n",
        "white rectangle with bounding box (-295,195) to (-220,170) with line width 1\n",
        "white rectangle with bounding box (-295,170) to (-220,145) with line width 1\n",
        "white rectangle with bounding box (-295,145) to (-220,120) with line width 1\n",
        "white rectangle with bounding box (-295,120) to (-220,95) with line width 1\n",
        "white rectangle with bounding box (-295,95) to (-220,70) with line width 1\n",
        "ice blue text at (-285,227), \"NEW GAME\"\n",
        "white text at (-285,202), \"STOP\"\n",
        "white text at (-285,177), \"GO\"\n",
        "white text at (-285,152), \"SLOWER\"\n",
        "white text at (-285,127), \"SPEEDUP\"\n",
        "white text at (-285,102), \"REVERSE\"\n",
        "red text at (-285,77), \"SHOOT!\"\n",
    };
    EXPECT_EQ(lines(), expected);
}

}  // namespace
