// Shapes, lines and single pixels on a drawing context, drawn by the
// rasteriser with the context's pen and brush.
#include "gdi/deferred_painting.h"
#include "gdi/gdi_internals.h"

#include <algorithm>
#include <vector>

namespace qz370::platform {

namespace {

bool inside_clip(const raster::Surface &surface, int x, int y)
{
    return x >= surface.clip.left && x < surface.clip.right && y >= surface.clip.top && y < surface.clip.bottom;
}

uint32_t &pixel_at(raster::Surface &surface, int x, int y)
{
    return surface.pixels[static_cast<size_t>(y) * static_cast<size_t>(surface.stride) + static_cast<size_t>(x)];
}

// The pixel a context's point stands on, or null when it lies outside the clip.
uint32_t *clipped_pixel(ContextSurface &target, int x, int y)
{
    int column = shift(x, target.origin.x);
    int row = shift(y, target.origin.y);
    if (!inside_clip(target.surface, column, row)) {
        return nullptr;
    }
    return &pixel_at(target.surface, column, row);
}

// The pixels a shape's pen can reach beyond the shape's own: half its width
// and one more, for a wide pen; none for a thin one.
int64_t pen_reach(const raster::Pen &pen)
{
    return pen.visible && pen.width > 1 ? pen.width / 2 + 1 : 0;
}

// The pixels a box shape between two corners (in either order) can change:
// the box leaves its right column and bottom row out.
RECT box_reach(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const raster::Pen &pen)
{
    const int64_t margin = pen_reach(pen);
    return RECT{clamp_to_int(std::min(x0, x1) - margin), clamp_to_int(std::min(y0, y1) - margin),
                clamp_to_int(std::max(x0, x1) + margin), clamp_to_int(std::max(y0, y1) + margin)};
}

// The pixels a path through points from (x0, y0) to (x1, y1), its corners
// included, can change.
RECT path_reach(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const raster::Pen &pen)
{
    return box_reach(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1, pen);
}

using BoxShape = void (*)(raster::Surface &, int, int, int, int, const raster::Pen &, const raster::Brush &);

// The part of a Rectangle call's box that it paints in one colour whatever
// was there: all of it when a thin pen and the brush share the colour, the
// brush's part without a pen; false when it claims none.
bool rectangle_paints_over(int left, int top, int right, int bottom, const raster::Pen &pen,
                           const raster::Brush &brush, RECT *painted)
{
    constexpr int SMALLEST_OUTLINED_SIDE = 2;
    const int l = std::min(left, right);
    const int r = std::max(left, right);
    const int t = std::min(top, bottom);
    const int b = std::max(top, bottom);
    if (!brush.visible || l == r || t == b) {
        return false;
    }
    if (!pen.visible) {
        *painted = RECT{l, t, r - 1, b - 1};
        return true;
    }
    if (pen.width <= 1 && pen.color == brush.color && int64_t{r} - l >= SMALLEST_OUTLINED_SIDE &&
        int64_t{b} - t >= SMALLEST_OUTLINED_SIDE) {
        *painted = RECT{l, t, r, b};
        return true;
    }
    return false;
}

BOOL draw_box(HDC hdc, int left, int top, int right, int bottom, BoxShape shape)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr) {
        return FALSE;
    }
    const raster::Pen pen = pen_for(context->pen);
    const raster::Brush brush = brush_for(context->brush);
    RECT painted;
    const bool paints_over =
        shape == raster::rectangle && rectangle_paints_over(left, top, right, bottom, pen, brush, &painted);
    if (paints_over && defer_painted_box(*context, left, top, right, bottom, pen, brush, painted)) {
        return TRUE;
    }
    ContextSurface target;
    if (!(paints_over ? surface_to_paint(hdc, painted, &target) : surface_of(hdc, &target))) {
        return FALSE;
    }
    const int x0 = shift(left, target.origin.x), y0 = shift(top, target.origin.y);
    const int x1 = shift(right, target.origin.x), y1 = shift(bottom, target.origin.y);
    shape(target.surface, x0, y0, x1, y1, pen, brush);
    if (paints_over) {
        surface_filled(target, moved_by(painted, target.origin), brush.color);
    } else {
        surface_drawn(target, box_reach(x0, y0, x1, y1, pen));
    }
    return TRUE;
}

}  // namespace

bool fill_with_brush(HDC hdc, const RECT &rect, HBRUSH brush)
{
    raster::Brush fill = brush_for(brush);
    ContextSurface target;
    if (!fill.visible || !surface_of(hdc, &target)) {
        return false;
    }
    RECT shifted{shift(rect.left, target.origin.x), shift(rect.top, target.origin.y), shift(rect.right, target.origin.x),
                 shift(rect.bottom, target.origin.y)};
    raster::fill_rect(target.surface, shifted, fill.color);
    surface_filled(target, shifted, fill.color);
    return true;
}

}  // namespace qz370::platform

using namespace qz370::platform;
namespace raster = qz370::raster;

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    return draw_box(hdc, left, top, right, bottom, raster::rectangle);
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    return draw_box(hdc, left, top, right, bottom, raster::ellipse);
}

BOOL WINAPI Polygon(HDC hdc, const POINT *points, int count)
{
    constexpr int FEWEST_POLYGON_POINTS = 2;
    DeviceContext *context = context_from(hdc);
    ContextSurface target;
    if (context == nullptr || points == nullptr || count < FEWEST_POLYGON_POINTS || !surface_of(hdc, &target)) {
        return FALSE;
    }
    // Kept between calls: the game draws dozens of triangles a frame.
    static std::vector<POINT> shifted;
    shifted.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        shifted[i] = POINT{shift(points[i].x, target.origin.x), shift(points[i].y, target.origin.y)};
    }
    const raster::Pen pen = pen_for(context->pen);
    raster::polygon(target.surface, shifted.data(), count, pen, brush_for(context->brush));
    const auto [least_x, most_x] = std::minmax_element(shifted.begin(), shifted.end(),
                                                       [](const POINT &a, const POINT &b) { return a.x < b.x; });
    const auto [least_y, most_y] = std::minmax_element(shifted.begin(), shifted.end(),
                                                       [](const POINT &a, const POINT &b) { return a.y < b.y; });
    surface_drawn(target, path_reach(least_x->x, least_y->y, most_x->x, most_y->y, pen));
    return TRUE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = context->position;
    }
    context->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y)
{
    DeviceContext *context = context_from(hdc);
    ContextSurface target;
    if (context == nullptr || !surface_of(hdc, &target)) {
        return FALSE;
    }
    const POINT from{shift(context->position.x, target.origin.x), shift(context->position.y, target.origin.y)};
    const POINT to{shift(x, target.origin.x), shift(y, target.origin.y)};
    const raster::Pen pen = pen_for(context->pen);
    raster::line(target.surface, from.x, from.y, to.x, to.y, pen);
    context->position = POINT{x, y};
    surface_drawn(target, path_reach(from.x, from.y, to.x, to.y, pen));
    return TRUE;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    ContextSurface target;
    uint32_t *pixel = surface_of(hdc, &target) ? clipped_pixel(target, x, y) : nullptr;
    if (pixel == nullptr) {
        return CLR_INVALID;
    }
    *pixel = raster::from_colorref(color);
    const int column = shift(x, target.origin.x), row = shift(y, target.origin.y);
    surface_drawn(target, RECT{column, row, column + 1, row + 1});
    return raster::to_colorref(*pixel);
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y)
{
    ContextSurface target;
    uint32_t *pixel = surface_of(hdc, &target) ? clipped_pixel(target, x, y) : nullptr;
    return pixel == nullptr ? CLR_INVALID : raster::to_colorref(*pixel);
}
