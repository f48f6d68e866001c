// Polygon regions under the alternate rule, one clipped row at a time.
#include <algorithm>
#include <vector>

#include "gdi/raster_internal.h"

namespace qz370::raster::detail {

namespace {

// The first pixel at or right of where the edge p-q crosses row y.
int64_t crossing(Point64 p, Point64 q, int64_t y) {
    if (p.y > q.y) std::swap(p, q);
    __int128 numerator = __int128{p.x} * (q.y - p.y) + __int128{y - p.y} * (q.x - p.x);
    return static_cast<int64_t>(ceil_div(numerator, q.y - p.y));
}

}  // namespace

void fill_polygon_region(Surface &surface, const Point64 *points, int count, uint32_t color) {
    if (count < 3) return;
    int64_t top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    int64_t first = 0, last = 0;
    // An edge covers the rows from its upper end up to, not including, its lower end.
    if (!visible_rows(surface, top, bottom - 1, &first, &last)) return;
    // Kept between calls: a wide ellipse rim fills thousands of small bands.
    static std::vector<int64_t> xs;
    for (int64_t y = first; y <= last; ++y) {
        xs.clear();
        for (int i = 0; i < count; ++i) {
            Point64 p = points[i], q = points[(i + 1) % count];
            if ((p.y <= y) != (q.y <= y)) xs.push_back(crossing(p, q, y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2) fill_span(surface, y, xs[k], xs[k + 1] - 1, color);
    }
}

}  // namespace qz370::raster::detail
