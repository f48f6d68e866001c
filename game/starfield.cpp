// The star background: two copies of one pattern of ten stars, 700 apart,
// drifting down the field and wrapping to the top once out of sight.
#include "game_state.h"

namespace {

constexpr int32_t ORIGIN_X = 250;
constexpr int32_t FIRST_COPY_Y = -125;
constexpr int32_t COPY_SPACING = 700;
constexpr int32_t DRIFT_PER_TICK = 6;
constexpr int32_t WRAP_BELOW = -550;
constexpr int32_t WRAP_MIRROR = 100;  // a wrapped copy lands at WRAP_MIRROR minus its height
constexpr int STAR_RADIUS = 1;

struct StarOffset {
    int32_t dx;
    int32_t dy;
};

constexpr StarOffset STAR_PATTERN[] = {
    {+15, +110}, {+9, -25},    {-423, -400}, {-510, -300}, {-189, -400},
    {-140, -240}, {-240, -89}, {-350, +100}, {-59, +142},  {-300, +123},
};

void drift_copy(int32_t &y)
{
    y -= DRIFT_PER_TICK;
    if (y < WRAP_BELOW)
        y = WRAP_MIRROR - y;
}

}  // namespace

void reset_starfield(Starfield &stars)
{
    stars.x = ORIGIN_X;
    stars.y1 = FIRST_COPY_Y;
    stars.y2 = FIRST_COPY_Y + COPY_SPACING;
}

void draw_star_pattern(int32_t x, int32_t y)
{
    for (const StarOffset &star : STAR_PATTERN)
        QZ370_circle(WHITE, x + star.dx, y + star.dy, STAR_RADIUS);
}

void scroll_starfield(Starfield &stars)
{
    drift_copy(stars.y1);
    drift_copy(stars.y2);
}
