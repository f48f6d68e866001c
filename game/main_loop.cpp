// The game's main routine: open the library, set up the game, then one frame
// per event until the end event, which still gets its frame.
#include "game_state.h"

namespace {

constexpr int LOGGING_OFF = 0;
constexpr int32_t START_FLEET_DY = -3;

void react_to_event(GameState &game, int kind, int x, int y)
{
    PlayerShip &player = game.player;
    switch (kind) {
    case QZ370_MOUSE:
        if (panel_hit(x, y) == 1)
            panel_click(x, y, player.speed, player.direction, game.shot_active, game.shot, player.x, game.fleet,
                        player.alive);
        break;
    case QZ370_PERIODIC:
        scroll_starfield(game.stars);
        move_player(player);
        break;
    case QZ370_EXIT:
        game.done = 1;
        break;
    default:
        break;
    }
}

// The order decides what covers what and what each step sees: the wave count
// sees a ship the shot has just destroyed, and bombs are dropped from where
// the ships stood before this pass's move.
void draw_and_step_world(GameState &game)
{
    draw_backdrop(game.stars.x, game.stars.y1, game.stars.y2);
    draw_control_panel();
    if (game.player.alive == 1)
        draw_player_ship(game.player.x, game.player.y);
    fly_shot(game.shot, game.fleet, game.shot_active);
    start_wave_if_cleared(game.fleet);
    update_bombs(game.bombs, game.fleet, game.player.alive, game.player.x, game.player.y);
    draw_bombs(game.bombs);
    move_fleet(game.fleet, game.fleet_dy);
    draw_fleet(game.fleet);
}

// Fleet, bombs and player wait for the first event.
void draw_opening_picture(const Starfield &stars)
{
    draw_backdrop(stars.x, stars.y1, stars.y2);
    draw_control_panel();
}

}  // namespace

void set_up_game(GameState &game)
{
    paint_first_wave(game.fleet);
    reset_fleet(game.fleet);
    reset_shot(game.shot);
    place_bombs_below_fleet(game.bombs, game.fleet);
    game.fleet_dy = START_FLEET_DY;
    game.shot_active = 0;
    reset_starfield(game.stars);
    reset_player(game.player);
}

void start_game(GameState &game)
{
    set_up_game(game);
    draw_opening_picture(game.stars);
    game.done = 0;
}

void play_pass(GameState &game, int kind, int x, int y)
{
    react_to_event(game, kind, x, y);
    draw_and_step_world(game);
}

int game_main(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    GameState game{};
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(LOGGING_OFF);
    QZ370_clear_graphics();
    QZ370_set_animation(QZ370_RUN);
    start_game(game);
    while (game.done == 0) {
        EventRecord &event = game.last_event;
        char key = 0;
        event.kind = QZ370_next_event(&event.x, &event.y, &key);
        event.key = static_cast<signed char>(key);
        play_pass(game, event.kind, event.x, event.y);
    }
    QZ370_end();
    return 0;
}
