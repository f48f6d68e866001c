// Ellipses. A box up to EXACT_LIMIT pixels a side is walked pixel by pixel the
// way the platform walks it, so outline, inside and wide rims match it exactly.
// A bigger box (many times any canvas) is drawn from the ideal ellipse row by
// row instead, so that its cost depends only on the rows that are visible.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi/raster/raster_internal.h"
#include "gdi/raster/shape_memory.h"

namespace qz370::raster::detail {

namespace {

// The walk's error terms stay below 2^60 up to this size.
constexpr int64_t EXACT_LIMIT = 16384;
// The walked outline follows an ellipse a little wider than the one through
// the centres of the box's outermost pixels: with diameters of the box's size
// less one plus this, the ideal rows match the walked ones on all but a few
// rows in a hundred, and those by one pixel.
constexpr double IDEAL_DIAMETER_GAIN = 0.9;
// Pens wider than this follow the ideal rim: a dot on every outline pixel
// would cost the square of the width per pixel.
constexpr int64_t WIDE_EXACT_LIMIT = 64;

// The lower-right quarter of the outline, relative to the box: from the right
// end of the middle row towards the bottom centre, one pixel per step, each
// step left, down or diagonal as the error term decides.
struct QuarterWalk {
    int64_t width;
    int64_t x, y;
    int64_t dx, dy, err;
    int64_t dx_growth, dy_growth;
};

QuarterWalk start_quarter(int64_t width, int64_t height) {
    int64_t a = width - 1, b = height - 1, odd = b % 2;
    QuarterWalk walk;
    walk.width = width;
    walk.x = a;
    walk.y = height / 2;
    walk.dx = 4 * b * b * (1 - a);
    walk.dy = 4 * a * a * (1 + odd);
    walk.err = walk.dx + walk.dy + a * a * odd;
    walk.dx_growth = 8 * b * b;
    walk.dy_growth = 8 * a * a;
    return walk;
}

bool quarter_done(const QuarterWalk &walk) { return walk.x < walk.width / 2; }

void quarter_step(QuarterWalk &walk) {
    int64_t twice = 2 * walk.err;
    if (twice >= walk.dx) {
        --walk.x;
        walk.dx += walk.dx_growth;
        walk.err += walk.dx;
    }
    if (twice <= walk.dy) {
        ++walk.y;
        walk.dy += walk.dy_growth;
        walk.err += walk.dy;
    }
}

struct Box {
    int64_t left, top, width, height;
};

// A quarter point mirrored into each of the four quarters: lower right, lower
// left, upper left, upper right.
void mirror_point(const Box &box, int64_t x, int64_t y, Point64 out[4]) {
    int64_t right = box.left + x, left = box.left + box.width - 1 - x;
    int64_t bottom = box.top + y, top = box.top + box.height - 1 - y;
    out[0] = {right, bottom};
    out[1] = {left, bottom};
    out[2] = {left, top};
    out[3] = {right, top};
}

bool small_enough_to_walk(const Box &box) { return box.width <= EXACT_LIMIT && box.height <= EXACT_LIMIT; }

// Boxes two pixels thin or less come out as the box itself, except that a
// single pixel draws nothing, as with a rectangle.
bool is_thin(const Box &box) { return box.width <= 2 || box.height <= 2; }

void fill_walked_shape(Surface &surface, const Box &box, uint32_t color) {
    QuarterWalk walk = start_quarter(box.width, box.height);
    int64_t row = -1;
    for (; !quarter_done(walk); quarter_step(walk)) {
        if (walk.y == row) continue;
        row = walk.y;  // the first pixel of a row is its rightmost
        Point64 corner[4];
        mirror_point(box, walk.x, walk.y, corner);
        fill_span(surface, corner[0].y, corner[1].x, corner[0].x, color);
        if (corner[2].y != corner[0].y) fill_span(surface, corner[2].y, corner[2].x, corner[3].x, color);
    }
}

// ---- The ideal ellipse, for boxes too big to walk -------------------------

// The pixels of row y inside the ideal ellipse of the box; false when the
// row misses it.
bool ideal_row(const Box &box, int64_t y, int64_t *first, int64_t *last) {
    if (box.width <= 0 || box.height <= 0 || y < box.top || y >= box.top + box.height) return false;
    double a = static_cast<double>(box.width - 1), b = static_cast<double>(box.height - 1);
    double v = (2.0 * static_cast<double>(y - box.top) - b) / (b + IDEAL_DIAMETER_GAIN);
    double half = (a + IDEAL_DIAMETER_GAIN) * std::sqrt(std::max(0.0, 1.0 - v * v));  // doubled
    double centre = 2.0 * static_cast<double>(box.left) + a;                         // doubled
    *first = static_cast<int64_t>(std::ceil((centre - half) / 2));
    *last = static_cast<int64_t>(std::floor((centre + half) / 2));
    return *first <= *last;
}

void fill_ideal_shape(Surface &surface, const Box &box, uint32_t color) {
    int64_t first_row = 0, last_row = 0, first = 0, last = 0;
    if (!visible_rows(surface, box.top, box.top + box.height - 1, &first_row, &last_row)) return;
    for (int64_t y = first_row; y <= last_row; ++y)
        if (ideal_row(box, y, &first, &last)) fill_span(surface, y, first, last, color);
}

// Row y of the ideal outline: the ends of its span that have no pixel of the
// shape both above and below.
void ideal_outline_row(Surface &surface, const Box &box, int64_t y, uint32_t color) {
    int64_t first = 0, last = 0, above_first = 0, above_last = 0, below_first = 0, below_last = 0;
    if (!ideal_row(box, y, &first, &last)) return;
    if (!ideal_row(box, y - 1, &above_first, &above_last) || !ideal_row(box, y + 1, &below_first, &below_last)) {
        fill_span(surface, y, first, last, color);
        return;
    }
    int64_t inner_first = std::max({first + 1, above_first, below_first});
    int64_t inner_last = std::min({last - 1, above_last, below_last});
    if (inner_first > inner_last) {
        fill_span(surface, y, first, last, color);
        return;
    }
    fill_span(surface, y, first, inner_first - 1, color);
    fill_span(surface, y, inner_last + 1, last, color);
}

// A wide rim around the ideal outline: the ellipse grown by the pen on the
// outside less the ellipse shrunk by it on the inside.
void ideal_wide_rim(Surface &surface, const Box &box, int64_t width, uint32_t color) {
    Box outer = {box.left - width / 2, box.top - width / 2, box.width + width - 1, box.height + width - 1};
    int64_t inset = width - width / 2;
    Box inner = {box.left + inset, box.top + inset, box.width - width - 1, box.height - width - 1};
    int64_t first_row = 0, last_row = 0, first = 0, last = 0, hole_first = 0, hole_last = 0;
    if (!visible_rows(surface, outer.top, outer.top + outer.height - 1, &first_row, &last_row)) return;
    for (int64_t y = first_row; y <= last_row; ++y) {
        if (!ideal_row(outer, y, &first, &last)) continue;
        if (!ideal_row(inner, y, &hole_first, &hole_last)) {
            fill_span(surface, y, first, last, color);
            continue;
        }
        fill_span(surface, y, first, hole_first - 1, color);
        fill_span(surface, y, hole_last + 1, last, color);
    }
}

// ---- Outlines ---------------------------------------------------------------

void thin_walked_outline(Surface &surface, const Box &box, uint32_t color) {
    for (QuarterWalk walk = start_quarter(box.width, box.height); !quarter_done(walk); quarter_step(walk)) {
        Point64 corner[4];
        mirror_point(box, walk.x, walk.y, corner);
        for (const Point64 &p : corner) plot(surface, p.x, p.y, color);
    }
}

// The outline is a closed path through every walked pixel; a wide pen puts a
// dot on each and a band between neighbours, the four quarters joined at the
// middle rows and the centre columns.
void wide_walked_outline(Surface &surface, const Box &box, int64_t width, uint32_t color) {
    QuarterWalk walk = start_quarter(box.width, box.height);
    Point64 first[4], previous[4], current[4];
    mirror_point(box, walk.x, walk.y, first);
    std::copy(first, first + 4, previous);
    for (; !quarter_done(walk); quarter_step(walk)) {
        mirror_point(box, walk.x, walk.y, current);
        for (int q = 0; q < 4; ++q) {
            pen_dot(surface, current[q], width, color);
            wide_segment_body(surface, previous[q], current[q], width, color);
            previous[q] = current[q];
        }
    }
    wide_segment_body(surface, previous[0], previous[1], width, color);  // bottom centre
    wide_segment_body(surface, first[1], first[2], width, color);        // left middle
    wide_segment_body(surface, previous[2], previous[3], width, color);  // top centre
    wide_segment_body(surface, first[3], first[0], width, color);        // right middle
}

void ideal_thin_outline(Surface &surface, const Box &box, uint32_t color) {
    int64_t first_row = 0, last_row = 0;
    if (!visible_rows(surface, box.top, box.top + box.height - 1, &first_row, &last_row)) return;
    for (int64_t y = first_row; y <= last_row; ++y) ideal_outline_row(surface, box, y, color);
}

}  // namespace

void fill_ellipse_shape(Surface &surface, int64_t left, int64_t top, int64_t width, int64_t height, uint32_t color) {
    Box box = {left, top, width, height};
    if (width <= 0 || height <= 0 || (width == 1 && height == 1)) return;
    if (!box_visible(surface, left, top, left + width - 1, top + height - 1)) return;
    if (is_thin(box)) {
        fill_box(surface, top, top + height - 1, left, left + width - 1, color);
    } else if (small_enough_to_walk(box)) {
        fill_walked_shape(surface, box, color);
    } else {
        fill_ideal_shape(surface, box, color);
    }
}

void ellipse_directly(Surface &surface, int64_t left, int64_t top, int64_t width, int64_t height, const Pen &pen,
                      const Brush &brush) {
    const Box box = {left, top, width, height};
    const int64_t reach = (pen.visible ? pen.width : 0) / 2 + 1;
    if (!box_visible(surface, left - reach, top - reach, left + width - 1 + reach, top + height - 1 + reach)) return;
    if (brush.visible) fill_ellipse_shape(surface, box.left, box.top, box.width, box.height, brush.color);
    if (!pen.visible) return;
    bool walk = small_enough_to_walk(box);
    // The walked shape already holds its own one-pixel rim.
    if (brush.visible && pen.width <= 1 && pen.color == brush.color && walk) return;
    if (pen.width <= 1 && walk)
        thin_walked_outline(surface, box, pen.color);
    else if (pen.width <= 1)
        ideal_thin_outline(surface, box, pen.color);
    else if (walk && pen.width <= WIDE_EXACT_LIMIT)
        wide_walked_outline(surface, box, pen.width, pen.color);
    else
        ideal_wide_rim(surface, box, pen.width, pen.color);
}

}  // namespace qz370::raster::detail

namespace qz370::raster {

using detail::Box;

void ellipse(Surface &surface, int left, int top, int right, int bottom, const Pen &pen, const Brush &brush) {
    Box box = {std::min<int64_t>(left, right), std::min<int64_t>(top, bottom), std::llabs(int64_t{right} - left),
               std::llabs(int64_t{bottom} - top)};
    if (box.width == 0 || box.height == 0) return;
    if (detail::is_thin(box)) {
        rectangle(surface, left, top, right, bottom, pen, brush);
        return;
    }
    if (!detail::draw_remembered_ellipse(surface, box.left, box.top, box.width, box.height, pen, brush))
        detail::ellipse_directly(surface, box.left, box.top, box.width, box.height, pen, brush);
}

}  // namespace qz370::raster
