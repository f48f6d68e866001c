// What the rasteriser's files share: 64-bit points, clipped spans, and the
// building blocks every shape is made of. Callers pass 32-bit coordinates;
// everything derived from them (box corners, pen offsets) is held in 64 bits
// so no sum or difference can overflow.
#pragma once

#include <cstdint>

#include "gdi/raster.h"

namespace qz370::raster::detail {

struct Point64 {
    int64_t x;
    int64_t y;
};

// Floor and ceiling of n / d for d > 0, exact for every 128-bit numerator.
inline __int128 floor_div(__int128 n, __int128 d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
inline __int128 ceil_div(__int128 n, __int128 d) { return -floor_div(-n, d); }

// Pixels x_first to x_last (both included) of row y, cut to the clip box.
void fill_span(Surface &surface, int64_t y, int64_t x_first, int64_t x_last, uint32_t color);
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

// The inside and rim of the ellipse in a box of width by height pixels whose
// top-left pixel is (left, top), as a filled Ellipse with a one-pixel pen of
// the same colour draws it.
void fill_ellipse_shape(Surface &surface, int64_t left, int64_t top, int64_t width, int64_t height, uint32_t color);

}  // namespace qz370::raster::detail
