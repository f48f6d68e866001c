// Vortaline: the game's state, its records, and the operations of the main
// loop, the control panel, the fleet and the scene art. Every operation works
// on the pieces of GameState it is handed; nothing of the game is global.
#pragma once

#include <cstdint>

#include "qz370.h"

constexpr int FLEET_SIZE = 10;

// The drawn field: x from -FIELD_HALF_WIDTH to FIELD_HALF_WIDTH, y likewise.
constexpr int32_t FIELD_HALF_WIDTH = 300;
constexpr int32_t FIELD_HALF_HEIGHT = 250;

// Palette indexes the game draws with.
constexpr int BLACK = QZ370_BLACK;
constexpr int WHITE = QZ370_WHITE;
constexpr int RED = QZ370_RED;
constexpr int YELLOW = QZ370_YELLOW;
constexpr int NAVY_BLUE = QZ370_NAVY_BLUE;
constexpr int ICE_BLUE = QZ370_ICE_BLUE;
constexpr int ORANGE = QZ370_ORANGE;
constexpr int GRAY_50 = QZ370_GRAY_50;
constexpr int GRAY_20 = QZ370_GRAY_20;

// The library's width argument for a filled shape.
constexpr int FILLED = 0;

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
void set_up_game(GameState &game);                        // the initial values; nothing is drawn
void start_game(GameState &game);                         // start-up steps after the library is open
void play_pass(GameState &game, int kind, int x, int y);  // react to one event, redraw, step the world

// Control panel (control_panel.cpp).
void draw_control_panel();
int panel_hit(int x, int y);
void panel_click(int x, int y, int32_t &speed, int32_t &direction, int32_t &shot_active, LaserShot &shot,
                 int32_t &player_x, EnemyShip (&fleet)[FLEET_SIZE], int32_t &player_alive);

// Fleet (fleet.cpp).
void reset_fleet(EnemyShip (&fleet)[FLEET_SIZE]);
void move_fleet(EnemyShip (&fleet)[FLEET_SIZE], int32_t &fleet_dy);
void draw_fleet(const EnemyShip (&fleet)[FLEET_SIZE]);

// Waves and their hull colours (waves.cpp).
void paint_first_wave(EnemyShip (&fleet)[FLEET_SIZE]);
int count_live_ships(const EnemyShip (&fleet)[FLEET_SIZE]);
void start_wave_if_cleared(EnemyShip (&fleet)[FLEET_SIZE]);  // reset and recolour once no ship is alive

// Laser shot (shot.cpp).
void reset_shot(LaserShot &shot);
void fire_shot(LaserShot &shot, int32_t &shot_active, int32_t player_x);  // does nothing while one flies
void fly_shot(LaserShot &shot, EnemyShip (&fleet)[FLEET_SIZE], int32_t &shot_active);  // one pass of flight
void advance_shot(LaserShot &shot, EnemyShip (&fleet)[FLEET_SIZE], int32_t &shot_active);

// Bombs (bombs.cpp).
void place_bombs_below_fleet(Bomb (&bombs)[FLEET_SIZE], const EnemyShip (&fleet)[FLEET_SIZE]);
void update_bombs(Bomb (&bombs)[FLEET_SIZE], const EnemyShip (&fleet)[FLEET_SIZE], int32_t &player_alive,
                  int32_t player_x, int32_t player_y);
void draw_bombs(const Bomb (&bombs)[FLEET_SIZE]);

// Explosions (explosions.cpp).
void explode_ship(EnemyShip ship);
void explode_player(int32_t x, int32_t y);

// The player's ship (player.cpp).
constexpr int32_t MAX_PLAYER_SPEED = INT32_MAX;  // "SPEEDUP" saturates here
void reset_player(PlayerShip &player);
void move_player(PlayerShip &player);

// Scene art (backdrop.cpp, starfield.cpp, ships.cpp).
void draw_backdrop(int32_t x, int32_t y1, int32_t y2);
void reset_starfield(Starfield &stars);
void draw_star_pattern(int32_t x, int32_t y);
void scroll_starfield(Starfield &stars);
void draw_player_ship(int32_t x, int32_t y);
void draw_enemy_ship(EnemyShip ship);
