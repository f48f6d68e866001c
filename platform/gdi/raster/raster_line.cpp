// One-pixel lines. The first visible pixel is found from its step number
// alone, so a line of any length costs only the steps that fall inside the
// clip box; the rest follow by adding.
#include <algorithm>
#include <cstdlib>

#include "gdi/raster/raster_internal.h"

namespace qz370::raster::detail {

namespace {

// Steps i of the line (0 <= i < steps) whose major coordinate start + dir * i
// lies in [low, high]; false when none.
bool visible_steps(int64_t start, int64_t dir, int64_t steps, int64_t low, int64_t high, int64_t *first,
                   int64_t *last) {
    if (dir > 0) {
        *first = std::max<int64_t>(0, low - start);
        *last = std::min<int64_t>(steps - 1, high - start);
    } else {
        *first = std::max<int64_t>(0, start - high);
        *last = std::min<int64_t>(steps - 1, start - low);
    }
    return *first <= *last;
}

// The minor coordinate from step i on: the exact position rounded to the
// nearest pixel, halves going to the smaller coordinate, that is
// start + floor((2 * i * delta + steps - 1) / (2 * steps)).
FloorSteps minor_steps(int64_t delta, int64_t steps, int64_t i) {
    return start_floor_steps(__int128{2} * i * delta + steps - 1, __int128{2} * delta, 2 * steps);
}

// The minor coordinate never leaves the range between the ends, so a line
// whose ends both lie within [low, high) on it needs no check per pixel there.
bool within(int64_t a, int64_t b, int64_t low, int64_t high) {
    return std::min(a, b) >= low && std::max(a, b) < high;
}

// A walk along a line that needs no clipping: the offset of its pixel in the
// surface and the minor coordinate's steps.
struct Walk {
    int64_t offset;
    FloorSteps minor;
};

// On by one step: plain_step, and minor_pitch more when the minor
// coordinate carries over.
inline void advance(Walk &walk, int64_t plain_step, int64_t minor_pitch) {
    walk.offset += plain_step + (minor_pitch & -floor_step(walk.minor));
}

// Steps first to first + count - 1 of a line that needs no clipping, as two
// walks side by side, one from the first step and one from the middle: each
// walk is a chain of dependent additions, and two chains run at once. A step
// is one pixel along the major axis (major_pitch apart) and across (minor_pitch
// apart) by the minor coordinate's change.
template <typename WalkAt>
void walk_inside(Surface &surface, int64_t first, int64_t count, int64_t major_pitch, int64_t minor_pitch,
                 WalkAt walk_at, uint32_t color) {
    const int64_t half = count / 2;
    Walk a = walk_at(first), b = walk_at(first + half);
    const int64_t plain_step = major_pitch + a.minor.step_quotient * minor_pitch;
    for (int64_t i = 0; i < half; ++i) {
        surface.pixels[a.offset] = color;
        surface.pixels[b.offset] = color;
        advance(a, plain_step, minor_pitch);
        advance(b, plain_step, minor_pitch);
    }
    if (count % 2 != 0) surface.pixels[b.offset] = color;
}

}  // namespace

void thin_line(Surface &surface, Point64 from, Point64 to, uint32_t color) {
    int64_t dx = to.x - from.x;
    int64_t dy = to.y - from.y;
    bool x_major = std::llabs(dx) >= std::llabs(dy);
    int64_t steps = x_major ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0) return;
    const RECT &clip = surface.clip;
    int64_t first = 0, last = 0;
    if (x_major) {
        int64_t dir = dx > 0 ? 1 : -1;
        if (!visible_steps(from.x, dir, steps, clip.left, int64_t{clip.right} - 1, &first, &last)) return;
        if (dy == 0) {  // a level line is one span
            int64_t x_first = from.x + dir * first, x_last = from.x + dir * last;
            fill_span(surface, from.y, std::min(x_first, x_last), std::max(x_first, x_last), color);
            return;
        }
        if (!within(from.y, to.y, clip.top, clip.bottom)) {
            for (FloorSteps y = minor_steps(dy, steps, first); first <= last; ++first, floor_step(y))
                plot(surface, from.x + dir * first, from.y + y.quotient, color);
            return;
        }
        walk_inside(surface, first, last - first + 1, dir, surface.stride, [&](int64_t step) {
            const FloorSteps minor = minor_steps(dy, steps, step);
            return Walk{(from.y + minor.quotient) * surface.stride + from.x + dir * step, minor};
        }, color);
    } else {
        int64_t dir = dy > 0 ? 1 : -1;
        if (!visible_steps(from.y, dir, steps, clip.top, int64_t{clip.bottom} - 1, &first, &last)) return;
        if (dx == 0) {  // an upright line needs no stepping across
            if (from.x < clip.left || from.x >= clip.right) return;
            for (; first <= last; ++first) surface.pixels[(from.y + dir * first) * surface.stride + from.x] = color;
            return;
        }
        if (!within(from.x, to.x, clip.left, clip.right)) {
            for (FloorSteps x = minor_steps(dx, steps, first); first <= last; ++first, floor_step(x))
                plot(surface, from.x + x.quotient, from.y + dir * first, color);
            return;
        }
        walk_inside(surface, first, last - first + 1, dir * surface.stride, 1, [&](int64_t step) {
            const FloorSteps minor = minor_steps(dx, steps, step);
            return Walk{(from.y + dir * step) * surface.stride + from.x + minor.quotient, minor};
        }, color);
    }
}

}  // namespace qz370::raster::detail
