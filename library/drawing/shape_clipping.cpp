#include "shape_clipping.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <numeric>

namespace {

// Far beyond any pen that leaves part of the canvas unpainted, and well inside
// what the real GDI draws wide pens with (at 2^26 it misplaces them). Four
// snapping steps wide, so a snapped end stays three steps off the canvas.
constexpr int64_t BOX_MARGIN = int64_t{1} << 22;
// A cut end moves to the nearest whole point of its line inside the box when
// those points lie this close together, so the cut line is the very same
// line; it stays far outside the canvas and the pen's reach.
constexpr int64_t MOST_SNAPPING_STEP = int64_t{1} << 20;

// The product of two coordinate differences can take 66 bits.
using WideProduct = __int128;

// One side of the box: the points whose x (or y) lies on the canvas's side of
// the limit are inside it.
struct BoxSide {
    bool limits_x;
    int64_t limit;
    bool inside_is_above;
};

using BoxSides = std::array<BoxSide, 4>;

constexpr BoxSides BOX_SIDES = {{{true, -BOX_MARGIN, true},
                                 {true, CANVAS_WIDTH - 1 + BOX_MARGIN, false},
                                 {false, -BOX_MARGIN, true},
                                 {false, CANVAS_HEIGHT - 1 + BOX_MARGIN, false}}};

bool inside(CanvasPoint point, const BoxSide &side)
{
    const int64_t value = side.limits_x ? point.x : point.y;
    return side.inside_is_above ? value >= side.limit : value <= side.limit;
}

bool inside_box(CanvasPoint point)
{
    return std::all_of(BOX_SIDES.begin(), BOX_SIDES.end(), [&](const BoxSide &side) { return inside(point, side); });
}

// Halves go away from zero; the denominator is not zero.
int64_t rounded_quotient(WideProduct numerator, WideProduct denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const WideProduct half = denominator / 2;
    const WideProduct quotient = numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
    return static_cast<int64_t>(quotient);
}

// Where the line through a and b meets the side's limit: that coordinate
// exact, the other rounded to the nearest pixel.
CanvasPoint rounded_crossing(CanvasPoint a, CanvasPoint b, const BoxSide &side)
{
    const int64_t a_along = side.limits_x ? a.x : a.y;
    const int64_t b_along = side.limits_x ? b.x : b.y;
    const int64_t a_across = side.limits_x ? a.y : a.x;
    const int64_t b_across = side.limits_x ? b.y : b.x;
    int64_t across = a_across;
    if (b_along != a_along) {
        across += rounded_quotient(WideProduct{b_across - a_across} * (side.limit - a_along), b_along - a_along);
    }
    return side.limits_x ? CanvasPoint{side.limit, across} : CanvasPoint{across, side.limit};
}

// How many steps from a point reach the inside of a limit that lies the given
// distance away, and no further.
int64_t steps_inward(int64_t distance, int64_t step, bool inside_is_above)
{
    const int64_t whole = distance / step;
    if (whole * step == distance) {
        return whole;
    }
    const bool quotient_is_negative = (distance < 0) != (step < 0);
    const bool round_up = (step > 0) == inside_is_above;
    if (round_up) {
        return quotient_is_negative ? whole : whole + 1;
    }
    return quotient_is_negative ? whole - 1 : whole;
}

// Where the line through a and b enters the side's inside: the nearest whole
// point of the line on the inside of the limit when there is one close by,
// otherwise the rounded crossing. Called only for a line that crosses the
// limit, so the result lies between a and b.
CanvasPoint crossing(CanvasPoint a, CanvasPoint b, const BoxSide &side)
{
    const int64_t dx = b.x - a.x;
    const int64_t dy = b.y - a.y;
    const int64_t shared = std::gcd(dx, dy);
    if (shared == 0) {
        return a;
    }
    const int64_t step_x = dx / shared;
    const int64_t step_y = dy / shared;
    const int64_t step_along = side.limits_x ? step_x : step_y;
    if (step_along == 0 || std::llabs(step_x) > MOST_SNAPPING_STEP || std::llabs(step_y) > MOST_SNAPPING_STEP) {
        return rounded_crossing(a, b, side);
    }
    const int64_t distance = side.limit - (side.limits_x ? a.x : a.y);
    const int64_t steps = steps_inward(distance, step_along, side.inside_is_above);
    return CanvasPoint{a.x + steps * step_x, a.y + steps * step_y};
}

// Kept points lie in the box, or a pixel off it where two rounded cuts meet
// near a corner; the box lies well inside the 32-bit range, and saturating
// only makes that certain.
POINT narrowed(CanvasPoint point)
{
    POINT narrow;
    narrow.x = saturate_to_int32(point.x);
    narrow.y = saturate_to_int32(point.y);
    return narrow;
}

// A corner of the cut triangle and the line its outgoing edge lies on: a
// side of the triangle, or the box.
constexpr int ALONG_THE_BOX = -1;

struct CutCorner {
    CanvasPoint point;
    int edge;
};

struct CutPolygon {
    CutCorner corners[MOST_CUT_CORNERS];
    int count;
};

// One round of cutting a polygon by a half-plane, each corner taken with the
// edge that leaves it. An edge that leaves the side ends on the box, and the
// polygon goes on along the box until an edge comes back in.
CutPolygon cut_by_side(const CutPolygon &polygon, const CanvasPoint (&triangle)[3], const BoxSide &side)
{
    CutPolygon kept;
    kept.count = 0;
    for (int i = 0; i < polygon.count; ++i) {
        const CutCorner &start = polygon.corners[i];
        const CutCorner &end = polygon.corners[(i + 1) % polygon.count];
        const bool start_inside = inside(start.point, side);
        const bool end_inside = inside(end.point, side);
        if (start_inside) {
            kept.corners[kept.count++] = start;
        }
        if (start_inside == end_inside) {
            continue;
        }
        const CanvasPoint from = start.edge == ALONG_THE_BOX ? start.point : triangle[start.edge];
        const CanvasPoint to = start.edge == ALONG_THE_BOX ? end.point : triangle[(start.edge + 1) % 3];
        const CanvasPoint meeting = crossing(from, to, side);
        kept.corners[kept.count++] = CutCorner{meeting, start_inside ? ALONG_THE_BOX : start.edge};
    }
    return kept;
}

}  // namespace

// Each end outside a side moves to where the whole line meets it, so cut
// ends never drift from the line.
bool cut_line_to_canvas(CanvasPoint from, CanvasPoint to, POINT &cut_from, POINT &cut_to)
{
    CanvasPoint start = from;
    CanvasPoint end = to;
    for (const BoxSide &side : BOX_SIDES) {
        const bool start_inside = inside(start, side);
        const bool end_inside = inside(end, side);
        if (!start_inside && !end_inside) {
            return false;
        }
        if (!start_inside) {
            start = crossing(from, to, side);
        } else if (!end_inside) {
            end = crossing(from, to, side);
        }
    }
    cut_from = narrowed(start);
    cut_to = narrowed(end);
    return true;
}

int cut_triangle_to_canvas(const CanvasPoint (&corners)[3], POINT (&cut)[MOST_CUT_CORNERS])
{
    // Nearly every triangle lies within the box and goes through as it is.
    if (std::all_of(std::begin(corners), std::end(corners), inside_box)) {
        std::transform(std::begin(corners), std::end(corners), cut, narrowed);
        return 3;
    }
    CutPolygon polygon;
    polygon.count = 3;
    for (int i = 0; i < 3; ++i) {
        polygon.corners[i] = CutCorner{corners[i], i};
    }
    for (const BoxSide &side : BOX_SIDES) {
        polygon = cut_by_side(polygon, corners, side);
    }
    for (int i = 0; i < polygon.count; ++i) {
        cut[i] = narrowed(polygon.corners[i].point);
    }
    return polygon.count;
}
