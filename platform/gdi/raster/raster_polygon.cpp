// Polygon regions under the alternate rule, one clipped row at a time.
#include <algorithm>
#include <vector>

#include "gdi/raster/raster_internal.h"

namespace qz370::raster::detail {

namespace {

// An edge that crosses visible rows, from its first visible row up to, not
// including, end_row; x is where it crosses the current row.
struct Edge {
    int64_t first_row;
    int64_t end_row;
    FloorSteps x;
};

// The edge p-q on the visible rows first to last, or false when it covers none.
// It covers the rows from its upper end up to, not including, its lower end;
// on row y it crosses at the first pixel at or right of the exact crossing,
// the ceiling of (p.x * dy + (y - p.y) * dx) / dy with p the upper end.
bool visible_edge(Point64 p, Point64 q, int64_t first, int64_t last, Edge *edge) {
    if (p.y > q.y) std::swap(p, q);
    int64_t dx = q.x - p.x, dy = q.y - p.y;
    edge->first_row = std::max(p.y, first);
    edge->end_row = std::min(q.y, last + 1);
    if (edge->first_row >= edge->end_row) return false;
    __int128 start = __int128{p.x} * dy + __int128{edge->first_row - p.y} * dx + (dy - 1);
    edge->x = start_floor_steps(start, dx, dy);
    return true;
}

// A row of a triangle or a small polygon crosses two or a few edges, which
// std::sort handles with more ceremony than sorting them takes.
void sort_crossings(int64_t *xs, size_t count) {
    constexpr size_t FEW = 16;
    if (count > FEW) {
        std::sort(xs, xs + count);
        return;
    }
    for (size_t i = 1; i < count; ++i) {
        int64_t x = xs[i];
        size_t j = i;
        for (; j > 0 && xs[j - 1] > x; --j) xs[j] = xs[j - 1];
        xs[j] = x;
    }
}

// The rows of a band crossed by just two edges: the pixels from the one
// crossing up to, not including, the other.
void fill_between_two(Surface &surface, int64_t top, int64_t end, FloorSteps &a, FloorSteps &b, uint32_t color) {
    for (int64_t y = top; y < end; ++y) {
        fill_span(surface, y, std::min(a.quotient, b.quotient), std::max(a.quotient, b.quotient) - 1, color);
        floor_step(a);
        floor_step(b);
    }
}

// A triangle's long edge runs from its top corner to its bottom one and
// crosses every row; the two short edges share the middle corner and take
// turns as the other crossing, so the bands need no sorting.
void fill_triangle(Surface &surface, const Point64 *points, int64_t first, int64_t last, uint32_t color) {
    Point64 corner[3] = {points[0], points[1], points[2]};
    std::sort(corner, corner + 3, [](const Point64 &a, const Point64 &b) { return a.y < b.y; });
    Edge long_edge, upper, lower;
    if (!visible_edge(corner[0], corner[2], first, last, &long_edge)) return;
    if (visible_edge(corner[0], corner[1], first, last, &upper))
        fill_between_two(surface, upper.first_row, upper.end_row, long_edge.x, upper.x, color);
    if (visible_edge(corner[1], corner[2], first, last, &lower))
        fill_between_two(surface, lower.first_row, lower.end_row, long_edge.x, lower.x, color);
}

}  // namespace

// Rows where an edge starts or ends split the visible rows into bands; within
// a band the same edges cross every row, so a band of two edges (every band of
// a triangle) fills without gathering and sorting crossings.
void fill_polygon_region(Surface &surface, const Point64 *points, int count, uint32_t color) {
    if (count < 3) return;
    int64_t top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    int64_t first = 0, last = 0;
    if (!visible_rows(surface, top, bottom - 1, &first, &last)) return;
    if (count == 3) {
        fill_triangle(surface, points, first, last, color);
        return;
    }
    // Kept between calls: a wide ellipse rim fills thousands of small bands.
    static std::vector<Edge> edges;
    static std::vector<Edge *> crossing;
    static std::vector<int64_t> band_starts;
    static std::vector<int64_t> xs;
    edges.clear();
    band_starts.clear();
    Edge edge;
    for (int i = 0; i < count; ++i) {
        if (!visible_edge(points[i], points[(i + 1) % count], first, last, &edge)) continue;
        edges.push_back(edge);
        band_starts.push_back(edge.first_row);
        band_starts.push_back(edge.end_row);
    }
    std::sort(band_starts.begin(), band_starts.end());
    band_starts.erase(std::unique(band_starts.begin(), band_starts.end()), band_starts.end());
    xs.resize(edges.size());
    for (size_t band = 0; band + 1 < band_starts.size(); ++band) {
        const int64_t band_top = band_starts[band], band_end = band_starts[band + 1];
        crossing.clear();
        for (Edge &e : edges)
            if (e.first_row <= band_top && e.end_row >= band_end) crossing.push_back(&e);
        if (crossing.size() == 2) {
            fill_between_two(surface, band_top, band_end, crossing[0]->x, crossing[1]->x, color);
            continue;
        }
        for (int64_t y = band_top; y < band_end; ++y) {
            for (size_t k = 0; k < crossing.size(); ++k) {
                xs[k] = crossing[k]->x.quotient;
                floor_step(crossing[k]->x);
            }
            sort_crossings(xs.data(), crossing.size());
            for (size_t k = 0; k + 1 < crossing.size(); k += 2) fill_span(surface, y, xs[k], xs[k + 1] - 1, color);
        }
    }
}

}  // namespace qz370::raster::detail
