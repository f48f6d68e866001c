// Explosions: drawn once, in the pass of the hit; the next frame covers them.
#include "game_state.h"

namespace {

constexpr int SHIP_BLAST_RADIUS = 35;
constexpr int PLAYER_BLAST_RADIUS = 40;

}  // namespace

void explode_ship(EnemyShip ship) { QZ370_circle(ORANGE, ship.x, ship.y, SHIP_BLAST_RADIUS); }

void explode_player(int32_t x, int32_t y) { QZ370_circle(YELLOW, x, y, PLAYER_BLAST_RADIUS); }
