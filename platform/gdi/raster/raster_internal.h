// What the rasteriser's files share: 64-bit points, clipped spans, and the
// building blocks every shape is made of. Callers pass 32-bit coordinates;
// everything derived from them (box corners, pen offsets) is held in 64 bits
// so no sum or difference can overflow.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gdi/raster/raster.h"

namespace qz370::raster::detail {

struct Point64 {
    int64_t x;
    int64_t y;
};

// Floor of n / d for d > 0, exact for every 128-bit numerator; in 64 bits
// when both fit, as they nearly always do, since 128-bit division is slow.
inline __int128 floor_div(__int128 n, __int128 d) {
    if (n == static_cast<int64_t>(n) && d == static_cast<int64_t>(d)) {
        int64_t n64 = static_cast<int64_t>(n), d64 = static_cast<int64_t>(d);
        return n64 / d64 - (n64 % d64 < 0 ? 1 : 0);
    }
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// The values floor((start + i * step) / divisor) for i = 0, 1, 2 ..., found by
// adding instead of dividing: a 128-bit division per pixel or per row was
// most of the cost of a small shape. The numerators may need 128 bits; the
// quotients met along the way and the divisor (at most 2^62) fit in 64.
struct FloorSteps {
    int64_t quotient;  // the current value
    int64_t remainder;  // 0 <= remainder < divisor
    int64_t step_quotient;
    int64_t step_remainder;  // 0 <= step_remainder < divisor
    int64_t divisor;
};

inline FloorSteps start_floor_steps(__int128 start, __int128 step, int64_t divisor) {
    __int128 quotient = floor_div(start, divisor), step_quotient = floor_div(step, divisor);
    return FloorSteps{static_cast<int64_t>(quotient), static_cast<int64_t>(start - quotient * divisor),
                      static_cast<int64_t>(step_quotient), static_cast<int64_t>(step - step_quotient * divisor),
                      divisor};
}

// Without a branch: whether the remainder carries over follows the slope's
// pattern, which branch prediction guesses wrong about as often as right.
// The result is the carry: 1 when the quotient took one more than its step.
inline int64_t floor_step(FloorSteps &steps) {
    steps.remainder += steps.step_remainder;
    const int64_t carry = steps.remainder >= steps.divisor ? 1 : 0;
    steps.quotient += steps.step_quotient + carry;
    steps.remainder -= steps.divisor & -carry;
    return carry;
}

// Short runs, which most shapes and glyphs are made of, take one or two
// four-pixel stores, the last one overlapping the one before rather than a
// loop over the odd pixels, whose length the branch predictor cannot guess.
// Long runs go in whole blocks of a fixed size, which the compiler stores with
// a few wide writes: big boxes fill at the speed of memset. The block is
// written as pixel pairs: compiled for the web, where no store is wider than
// 64 bits and four-pixel ones are not merged, that halves the stores.
inline void fill_pixels(uint32_t *pixels, int64_t count, uint32_t color) {
    constexpr int64_t QUAD = 4;
    constexpr int64_t BLOCK = 8;
    static_assert(BLOCK <= 2 * QUAD, "the last two stores cover what the blocks leave");
    if (count < QUAD) {
        if (count > 0) pixels[0] = color;
        if (count > 1) pixels[1] = color;
        if (count > 2) pixels[2] = color;
        return;
    }
    const uint32_t quad[QUAD] = {color, color, color, color};
    uint32_t *const last_quad = pixels + count - QUAD;
    const uint64_t pair = uint64_t{color} << 32 | color;
    for (; count >= BLOCK; count -= BLOCK, pixels += BLOCK)
        for (int64_t i = 0; i < BLOCK; i += 2) std::memcpy(pixels + i, &pair, sizeof pair);
    if (count >= QUAD) std::memcpy(pixels, quad, sizeof quad);
    std::memcpy(last_quad, quad, sizeof quad);
}

// Pixel (x, y) if it lies inside the clip box.
inline void plot(Surface &surface, int64_t x, int64_t y, uint32_t color) {
    if (x >= surface.clip.left && x < surface.clip.right && y >= surface.clip.top && y < surface.clip.bottom)
        surface.pixels[y * surface.stride + x] = color;
}

// Pixels x_first to x_last (both included) of row y, cut to the clip box: the
// one place besides plot() that the rasteriser writes pixels. Inline, as most
// spans are short.
inline void fill_span(Surface &surface, int64_t y, int64_t x_first, int64_t x_last, uint32_t color) {
    if (y < surface.clip.top || y >= surface.clip.bottom) return;
    int64_t first = std::max<int64_t>(x_first, surface.clip.left);
    int64_t last = std::min<int64_t>(x_last, int64_t{surface.clip.right} - 1);
    if (first > last) return;
    fill_pixels(surface.pixels + y * surface.stride + first, last - first + 1, color);
}

// The box of rows top to bottom and columns x_first to x_last (all included),
// cut to the clip box. Rows that span the whole of a surface whose rows lie
// end to end are one run: a backdrop is filled in one go.
inline void fill_box(Surface &surface, int64_t top, int64_t bottom, int64_t x_first, int64_t x_last,
                     uint32_t color) {
    const int64_t first_row = std::max<int64_t>(top, surface.clip.top);
    const int64_t last_row = std::min<int64_t>(bottom, int64_t{surface.clip.bottom} - 1);
    const int64_t first = std::max<int64_t>(x_first, surface.clip.left);
    const int64_t last = std::min<int64_t>(x_last, int64_t{surface.clip.right} - 1);
    if (first_row > last_row || first > last) return;
    if (first == 0 && last + 1 == surface.stride) {
        fill_pixels(surface.pixels + first_row * surface.stride, (last_row - first_row + 1) * surface.stride, color);
        return;
    }
    for (int64_t y = first_row; y <= last_row; ++y)
        fill_pixels(surface.pixels + y * surface.stride + first, last - first + 1, color);
}

// The rows from top to bottom (both included) that lie inside the clip box;
// false when there are none.
bool visible_rows(const Surface &surface, int64_t top, int64_t bottom, int64_t *first, int64_t *last);
// True when the box (all four edges included) touches the clip box.
bool box_visible(const Surface &surface, int64_t left, int64_t top, int64_t right, int64_t bottom);

// One pixel wide line from 'from' up to, not including, 'to'.
void thin_line(Surface &surface, Point64 from, Point64 to, uint32_t color);
// The region inside a polygon under the alternate (even-odd) rule: a pixel is
// inside when its top-left corner is, left edges in and right edges out.
void fill_polygon_region(Surface &surface, const Point64 *points, int count, uint32_t color);

// A wide solid pen along a path: a round dot on every vertex and a band of the
// pen's width along every segment; 'closed' adds the segment back to the start.
void wide_path(Surface &surface, const Point64 *points, int count, bool closed, int64_t width, uint32_t color);
// The band of one segment, ends excluded (the dots supply them).
void wide_segment_body(Surface &surface, Point64 from, Point64 to, int64_t width, uint32_t color);
// The pen's round dot on a point: the filled ellipse of a width-by-width box.
void pen_dot(Surface &surface, Point64 centre, int64_t width, uint32_t color);

// A polygon and an ellipse of the box whose top-left pixel is (left, top), as
// the rules draw them; the entry points look in the shape memory first.
void polygon_directly(Surface &surface, const Point64 *points, int count, const Pen &pen, const Brush &brush);
void ellipse_directly(Surface &surface, int64_t left, int64_t top, int64_t width, int64_t height, const Pen &pen,
                      const Brush &brush);

// The inside and rim of the ellipse in a box of width by height pixels whose
// top-left pixel is (left, top), as a filled Ellipse with a one-pixel pen of
// the same colour draws it.
void fill_ellipse_shape(Surface &surface, int64_t left, int64_t top, int64_t width, int64_t height, uint32_t color);

}  // namespace qz370::raster::detail
