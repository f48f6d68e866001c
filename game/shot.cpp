// The player's single laser shot: fired from the ship, rising 35 pixels a
// pass, retired above the field or at the first ship whose box holds it.
#include "game_state.h"

namespace {

constexpr int32_t REST_Y = -125;
constexpr int32_t LAUNCH_Y = -111;
constexpr int32_t RISE_PER_PASS = 35;
constexpr int32_t BEAM_HALF_WIDTH = 1;
constexpr int32_t BEAM_LENGTH = 25;

// The ship's box around its reference point, bounds excluded.
constexpr int32_t HIT_HALF_WIDTH = 20;
constexpr int32_t HIT_BELOW = 13;
constexpr int32_t HIT_ABOVE = 37;

bool is_above_field(const LaserShot &shot) { return shot.y > FIELD_HALF_HEIGHT; }

void retire_shot(LaserShot &shot, int32_t &shot_active)
{
    shot_active = 0;
    reset_shot(shot);
}

bool ship_box_holds(const EnemyShip &ship, const LaserShot &shot)
{
    return ship.x - HIT_HALF_WIDTH < shot.x && shot.x < ship.x + HIT_HALF_WIDTH &&
           ship.y - HIT_BELOW < shot.y && shot.y < ship.y + HIT_ABOVE;
}

void draw_beam(const LaserShot &shot)
{
    QZ370_rectangle(RED, shot.x - BEAM_HALF_WIDTH, shot.y, shot.x + BEAM_HALF_WIDTH, shot.y + BEAM_LENGTH, FILLED);
}

}  // namespace

void reset_shot(LaserShot &shot) { shot.y = REST_Y; }

void fire_shot(LaserShot &shot, int32_t &shot_active, int32_t player_x)
{
    if (shot_active != 0)
        return;
    shot_active = 1;
    shot.x = player_x;
    shot.y = LAUNCH_Y;
}

void fly_shot(LaserShot &shot, EnemyShip (&fleet)[FLEET_SIZE], int32_t &shot_active)
{
    if (shot_active != 1)
        return;
    if (is_above_field(shot)) {
        retire_shot(shot, shot_active);
        return;
    }
    shot.y += RISE_PER_PASS;
    advance_shot(shot, fleet, shot_active);
}

// Every slot is tested, destroyed ships too: a wreck still stops the shot.
// After a hit the shot is back at rest, below every ship's box, so at most
// the lowest-numbered slot is hit.
void advance_shot(LaserShot &shot, EnemyShip (&fleet)[FLEET_SIZE], int32_t &shot_active)
{
    draw_beam(shot);
    if (is_above_field(shot))
        retire_shot(shot, shot_active);
    for (EnemyShip &ship : fleet) {
        if (!ship_box_holds(ship, shot))
            continue;
        ship.alive = 0;
        retire_shot(shot, shot_active);
        explode_ship(ship);
    }
}
