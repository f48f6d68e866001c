// The enemy fleet: two interleaved rows that sweep to and fro and sink and
// climb as one body.
#include "game_state.h"

namespace {

constexpr int32_t FIRST_SHIP_X = -230;
constexpr int32_t SHIP_SPACING = 50;
constexpr int32_t EVEN_ROW_Y = 295;
constexpr int32_t ODD_ROW_Y = 324;
constexpr int32_t SIDE_STEP = 3;
constexpr int32_t SIDE_LIMIT = 260;
constexpr int32_t LOWEST_Y = 25;      // a ship below this turns the fleet upwards
constexpr int32_t HIGHEST_Y = 226;    // ship 2 above this turns the fleet downwards
constexpr int TOP_WATCH_SLOT = 2;
constexpr int32_t CLIMB_STEP = 3;
constexpr int32_t SINK_STEP = -3;

bool is_even_slot(int slot) { return slot % 2 == 0; }

// The ship is not pulled back: it stands beyond the limit for this move.
void move_sideways(EnemyShip &ship)
{
    ship.x += ship.dx;
    if (ship.x > SIDE_LIMIT || ship.x < -SIDE_LIMIT)
        ship.dx = -ship.dx;
}

// The bottom turn is each ship's own, the top turn ship 2's alone, read as it
// stands at this moment of the pass.
void steer_fleet(const EnemyShip (&fleet)[FLEET_SIZE], int slot, int32_t &fleet_dy)
{
    if (fleet[slot].y < LOWEST_Y)
        fleet_dy = CLIMB_STEP;
    else if (fleet[TOP_WATCH_SLOT].y > HIGHEST_Y)
        fleet_dy = SINK_STEP;
}

}  // namespace

void reset_fleet(EnemyShip (&fleet)[FLEET_SIZE])
{
    for (int i = 0; i < FLEET_SIZE; i++) {
        EnemyShip &ship = fleet[i];
        ship.x = SHIP_SPACING * i + FIRST_SHIP_X;
        ship.alive = 1;
        ship.y = is_even_slot(i) ? EVEN_ROW_Y : ODD_ROW_Y;
        ship.dx = is_even_slot(i) ? -SIDE_STEP : SIDE_STEP;
    }
}

void move_fleet(EnemyShip (&fleet)[FLEET_SIZE], int32_t &fleet_dy)
{
    for (int i = 0; i < FLEET_SIZE; i++) {
        move_sideways(fleet[i]);
        steer_fleet(fleet, i, fleet_dy);
        fleet[i].y += fleet_dy;
    }
}

void draw_fleet(const EnemyShip (&fleet)[FLEET_SIZE])
{
    for (const EnemyShip &ship : fleet)
        if (ship.alive == 1)
            draw_enemy_ship(ship);
}
