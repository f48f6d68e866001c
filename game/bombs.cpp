// Bombs: one per fleet slot, dropped from its ship, falling 10 pixels a pass,
// dropped again once far below the field while its ship lives.
#include "game_state.h"

namespace {

constexpr int32_t FALL_PER_PASS = 10;
constexpr int32_t RELAUNCH_BELOW = -650;
constexpr int32_t FIRST_DROP_DEPTH = 700;  // how far below its ship a bomb starts
constexpr int BOMB_RADIUS = 4;

// A destroyed ship's bomb is never relaunched and would fall for as long as
// the wave lasts. It stops here instead: far below the field, where it acts
// exactly as at any height below RELAUNCH_BELOW, and reached only after 200
// million passes (over seven months of ticks), so no real run sees a change.
constexpr int32_t DEEPEST_Y = -2'000'000'000;

// The player's box around the ship's centre, bounds excluded.
constexpr int32_t HIT_HALF_WIDTH = 13;
constexpr int32_t HIT_DEPTH = 24;

void drop_bomb(Bomb &bomb)
{
    if (bomb.y >= DEEPEST_Y + FALL_PER_PASS)
        bomb.y -= FALL_PER_PASS;
}

void relaunch_from_live_ship(Bomb &bomb, const EnemyShip &ship)
{
    if (bomb.y < RELAUNCH_BELOW && ship.alive == 1) {
        bomb.y = ship.y;
        bomb.x = ship.x;
    }
}

bool player_box_holds(const Bomb &bomb, int32_t player_x, int32_t player_y)
{
    return player_x - HIT_HALF_WIDTH < bomb.x && bomb.x < player_x + HIT_HALF_WIDTH &&
           player_y - HIT_DEPTH < bomb.y && bomb.y < player_y;
}

}  // namespace

void place_bombs_below_fleet(Bomb (&bombs)[FLEET_SIZE], const EnemyShip (&fleet)[FLEET_SIZE])
{
    for (int i = 0; i < FLEET_SIZE; i++) {
        bombs[i].x = fleet[i].x;
        bombs[i].y = fleet[i].y - FIRST_DROP_DEPTH;
    }
}

// A bomb is not used up by a hit: it falls on, and only the first hit on a
// live player draws the explosion.
void update_bombs(Bomb (&bombs)[FLEET_SIZE], const EnemyShip (&fleet)[FLEET_SIZE], int32_t &player_alive,
                  int32_t player_x, int32_t player_y)
{
    for (int i = 0; i < FLEET_SIZE; i++) {
        drop_bomb(bombs[i]);
        relaunch_from_live_ship(bombs[i], fleet[i]);
    }
    for (const Bomb &bomb : bombs) {
        if (!player_box_holds(bomb, player_x, player_y))
            continue;
        if (player_alive == 1)
            explode_player(player_x, player_y);
        player_alive = 0;
    }
}

void draw_bombs(const Bomb (&bombs)[FLEET_SIZE])
{
    for (const Bomb &bomb : bombs)
        QZ370_circle(YELLOW, bomb.x, bomb.y, BOMB_RADIUS);
}
