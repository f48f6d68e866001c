// The player's ship: glides along the bottom at its own speed and turns at
// the sides without moving in the tick of the turn.
#include "game_state.h"

namespace {

constexpr int32_t START_Y = -125;
constexpr int32_t START_SPEED = 3;
constexpr int32_t SIDE_LIMIT = 280;

}  // namespace

void reset_player(PlayerShip &player)
{
    player.x = 0;
    player.y = START_Y;
    player.direction = +1;
    player.speed = START_SPEED;
    player.alive = 1;
}

// Worked out in 64 bits: speed may be as large as MAX_PLAYER_SPEED.
void move_player(PlayerShip &player)
{
    int64_t new_x = int64_t{player.x} + int64_t{player.direction} * player.speed;
    if (new_x > SIDE_LIMIT || new_x < -SIDE_LIMIT)
        player.direction = -player.direction;
    else
        player.x = static_cast<int32_t>(new_x);
}
