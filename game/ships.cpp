// The two ship designs, drawn around their reference points.
#include "game_state.h"

void draw_player_ship(int32_t x, int32_t y)
{
    QZ370_triangle(WHITE, x - 40, y - 25, x, y, x + 40, y + 31, FILLED);
    QZ370_triangle(WHITE, x + 40, y - 25, x, y, x - 40, y + 31, FILLED);
    QZ370_circle(WHITE, x, y, 22);
    QZ370_rectangle(GRAY_50, x - 20, y + 6, x + 20, y, FILLED);
    QZ370_rectangle(GRAY_20, x - 13, y + 18, x + 13, y + 12, FILLED);
    QZ370_rectangle(GRAY_50, x + 2, y + 24, x - 2, y + 32, FILLED);
    QZ370_circle(GRAY_50, x, y, 10);
}

// Only the hull takes the ship's colour; wings stay red and the keel grey.
void draw_enemy_ship(EnemyShip ship)
{
    const int32_t x = ship.x;
    const int32_t y = ship.y;
    QZ370_triangle(RED, x - 40, y, x, y, x + 40, y + 31, FILLED);
    QZ370_triangle(RED, x + 40, y, x, y, x - 40, y + 31, FILLED);
    QZ370_rectangle(ship.colour, x - 20, y, x + 20, y + 18, FILLED);
    QZ370_circle(BLACK, x + 13, y + 10, 2);
    QZ370_circle(BLACK, x - 13, y + 10, 2);
    QZ370_rectangle(GRAY_50, x - 13, y - 5, x + 13, y, FILLED);
}
