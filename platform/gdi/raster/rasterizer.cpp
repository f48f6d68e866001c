// The rasteriser's entry points: pixels, rectangles, polygons and lines, with
// the pen and brush rules the platform follows. Ellipses live in
// raster_ellipse.cpp; the shared building blocks in raster_internal.h.
#include <algorithm>
#include <vector>

#include "gdi/raster/raster_internal.h"
#include "gdi/raster/shape_memory.h"

namespace qz370::raster {

using detail::Point64;

uint32_t from_colorref(COLORREF color) { return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color); }
COLORREF to_colorref(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

namespace {

// A closed or open path with the pen: one pixel wide leaves out the end of
// each segment, which the next segment's start supplies on a closed path.
void stroke_path(Surface &surface, const Point64 *points, int count, bool closed, const Pen &pen) {
    if (!pen.visible || count < 1) return;
    if (pen.width > 1) {
        detail::wide_path(surface, points, count, closed, pen.width, pen.color);
        return;
    }
    int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) detail::thin_line(surface, points[i], points[(i + 1) % count], pen.color);
}

}  // namespace

void detail::polygon_directly(Surface &surface, const Point64 *points, int count, const Pen &pen, const Brush &brush) {
    if (brush.visible) detail::fill_polygon_region(surface, points, count, brush.color);
    stroke_path(surface, points, count, true, pen);
}

void set_pixel(Surface &surface, int x, int y, uint32_t color) { detail::plot(surface, x, y, color); }

void fill_rect(Surface &surface, const RECT &box, uint32_t color) {
    detail::fill_box(surface, box.top, int64_t{box.bottom} - 1, box.left, int64_t{box.right} - 1, color);
}

// The box is put in order first; a box with no width or height draws nothing.
// The outline runs through the outermost pixels, so a one-pixel box has an
// outline of length zero and draws nothing with a thin pen. Without a pen the
// brush covers one column and row less, as the platform does.
void rectangle(Surface &surface, int left, int top, int right, int bottom, const Pen &pen, const Brush &brush) {
    int64_t l = std::min(left, right), r = std::max(left, right);
    int64_t t = std::min(top, bottom), b = std::max(top, bottom);
    if (l == r || t == b) return;
    // A thin outline in the brush's colour closes the box: one block, when
    // the box is wide and tall enough for the outline to reach every side.
    constexpr int64_t SMALLEST_OUTLINED_SIDE = 2;
    if (brush.visible && pen.visible && pen.width <= 1 && pen.color == brush.color && r - l >= SMALLEST_OUTLINED_SIDE &&
        b - t >= SMALLEST_OUTLINED_SIDE) {
        detail::fill_box(surface, t, b - 1, l, r - 1, brush.color);
        return;
    }
    if (brush.visible) {
        int64_t inset = pen.visible ? 1 : 0;
        detail::fill_box(surface, t + inset, b - 2, l + inset, r - 2, brush.color);
    }
    Point64 corners[4] = {{r - 1, b - 1}, {l, b - 1}, {l, t}, {r - 1, t}};
    stroke_path(surface, corners, 4, true, pen);
}

void polygon(Surface &surface, const POINT *points, int count, const Pen &pen, const Brush &brush) {
    if (count < 2) return;
    // Kept between calls: the game draws dozens of triangles a frame.
    static std::vector<Point64> path;
    path.resize(count);
    std::transform(points, points + count, path.begin(), [](const POINT &p) { return Point64{p.x, p.y}; });
    if (!detail::draw_remembered_polygon(surface, path.data(), count, pen, brush))
        detail::polygon_directly(surface, path.data(), count, pen, brush);
}

void line(Surface &surface, int x0, int y0, int x1, int y1, const Pen &pen) {
    Point64 ends[2] = {{x0, y0}, {x1, y1}};
    stroke_path(surface, ends, 2, false, pen);
}

}  // namespace qz370::raster
