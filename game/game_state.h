// Vortaline: the game's state, its records, and the operations of the main
// loop, the control panel, the fleet and the scene art. Every operation works
// on the pieces of GameState it is handed; nothing of the game is global.
#pragma once

#include <cstdint>

#include "qz370.h"

constexpr int FLEET_SIZE = 10;

struct EnemyShip {
    int32_t x;
    int32_t y;
    int32_t alive;
    int32_t colour;
    int32_t dx;
};

struct Bomb {
    int32_t x;
    int32_t y;
};

struct LaserShot {
    int32_t x;
    int32_t y;
};

struct PlayerShip {
    int32_t x;
    int32_t y;
    int32_t alive;
    int32_t speed;
    int32_t direction;
};

struct Starfield {
    int32_t x;
    int32_t y1;
    int32_t y2;
};

struct GameState {
    EnemyShip fleet[FLEET_SIZE];
    int32_t fleet_dy;
    Bomb bombs[FLEET_SIZE];
    LaserShot shot;
    int32_t shot_active;
    PlayerShip player;
    Starfield stars;
    int32_t done;
    EventRecord last_event;
};

// Main loop (main_loop.cpp).
int game_main(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command);
void start_game(GameState &game);                 // start-up steps after the library is open
void play_pass(GameState &game, int kind, int x, int y);  // react to one event, redraw, step the world

// Control panel (control_panel.cpp).
void draw_control_panel();
int panel_hit(int x, int y);
void panel_click(int x, int y, int32_t &speed, int32_t &direction, int32_t &shot_active, LaserShot &shot,
                 int32_t &player_x, EnemyShip (&fleet)[FLEET_SIZE], int32_t &player_alive);

// Fleet, bombs and shot (fleet.cpp, bombs.cpp, shot.cpp, player.cpp).
void reset_fleet(EnemyShip (&fleet)[FLEET_SIZE]);
void move_fleet(EnemyShip (&fleet)[FLEET_SIZE], int32_t &fleet_dy);
void draw_fleet(const EnemyShip (&fleet)[FLEET_SIZE]);
void reset_shot(LaserShot &shot);
void advance_shot(LaserShot &shot, EnemyShip (&fleet)[FLEET_SIZE], int32_t &shot_active);
void update_bombs(Bomb (&bombs)[FLEET_SIZE], const EnemyShip (&fleet)[FLEET_SIZE], int32_t &player_alive,
                  int32_t player_x, int32_t player_y);
void draw_bombs(const Bomb (&bombs)[FLEET_SIZE]);
void explode_ship(EnemyShip ship);
void explode_player(int32_t x, int32_t y);
void move_player(PlayerShip &player);

// Scene art (backdrop.cpp, ships.cpp).
void draw_backdrop(int32_t x, int32_t y1, int32_t y2);
void draw_star_pattern(int32_t x, int32_t y);
void scroll_starfield(Starfield &stars);
void draw_player_ship(int32_t x, int32_t y);
void draw_enemy_ship(EnemyShip ship);
