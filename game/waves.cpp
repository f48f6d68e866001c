// Waves: a new fleet comes as soon as the last ship of the old one is gone,
// its hulls one colour further along the palette.
#include "game_state.h"

namespace {

constexpr int PALETTE_COLOURS = QZ370_PALETTE_SIZE;

// Black is the field's colour, so a hull skips it.
int32_t next_hull_colour(int32_t colour)
{
    int32_t next = (colour + 1) % PALETTE_COLOURS;
    return next == BLACK ? (BLACK + 1) % PALETTE_COLOURS : next;
}

}  // namespace

void paint_first_wave(EnemyShip (&fleet)[FLEET_SIZE])
{
    for (int i = 0; i < FLEET_SIZE; i++)
        fleet[i].colour = i % 2 == 0 ? ORANGE : NAVY_BLUE;
}

int count_live_ships(const EnemyShip (&fleet)[FLEET_SIZE])
{
    int live = 0;
    for (const EnemyShip &ship : fleet)
        if (ship.alive == 1)
            live++;
    return live;
}

void start_wave_if_cleared(EnemyShip (&fleet)[FLEET_SIZE])
{
    if (count_live_ships(fleet) != 0)
        return;
    reset_fleet(fleet);
    for (EnemyShip &ship : fleet)
        ship.colour = next_hull_colour(ship.colour);
}
