// Wide solid pens: round dots on the vertices joined by bands of the pen's
// width. A band's corners are its ends moved across by half the width, each
// half rounded to whole pixels on its own, as the platform does it.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "gdi/raster/raster_internal.h"

namespace qz370::raster::detail {

namespace {

int64_t round_half_up(double value) { return static_cast<int64_t>(std::floor(value + 0.5)); }

}  // namespace

void pen_dot(Surface &surface, Point64 centre, int64_t width, uint32_t color) {
    fill_ellipse_shape(surface, centre.x - width / 2, centre.y - width / 2, width, width, color);
}

void wide_segment_body(Surface &surface, Point64 from, Point64 to, int64_t width, uint32_t color) {
    // The band is always worked out going upwards, so a segment and its
    // reverse cover the same pixels.
    if (to.y > from.y) std::swap(from, to);
    int64_t dx = to.x - from.x;
    int64_t dy = to.y - from.y;
    int64_t thin_half = width / 2;
    if (dx == 0 && dy == 0) return;
    if (dy == 0) {
        int64_t first = 0, last = 0;
        if (!visible_rows(surface, from.y - thin_half, from.y - thin_half + width - 1, &first, &last)) return;
        for (int64_t y = first; y <= last; ++y)
            fill_span(surface, y, std::min(from.x, to.x), std::max(from.x, to.x), color);
        return;
    }
    if (dx == 0) {
        int64_t left = from.x - thin_half;
        int64_t first = 0, last = 0;
        if (!visible_rows(surface, to.y, from.y, &first, &last)) return;
        for (int64_t y = first; y <= last; ++y) fill_span(surface, y, left, left + width - 1, color);
        return;
    }
    double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    double across_x = static_cast<double>(width) * static_cast<double>(std::llabs(dy)) / length;
    double across_y = static_cast<double>(width) * static_cast<double>(std::llabs(dx)) / length;
    // Across a band of odd pixel width one side gets the extra pixel: the
    // side to the right of the upward direction.
    int64_t leaning = dx < 0 ? -1 : 1;
    Point64 narrow = {round_half_up(across_x / 2), leaning * round_half_up(across_y / 2)};
    Point64 wide = {round_half_up((across_x + 1) / 2), leaning * round_half_up((across_y + 1) / 2)};
    Point64 corners[4] = {{from.x - narrow.x, from.y - narrow.y},
                          {from.x + wide.x, from.y + wide.y},
                          {to.x + wide.x, to.y + wide.y},
                          {to.x - narrow.x, to.y - narrow.y}};
    fill_polygon_region(surface, corners, 4, color);
}

void wide_path(Surface &surface, const Point64 *points, int count, bool closed, int64_t width, uint32_t color) {
    for (int i = 0; i < count; ++i) pen_dot(surface, points[i], width, color);
    int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) wide_segment_body(surface, points[i], points[(i + 1) % count], width, color);
}

}  // namespace qz370::raster::detail
