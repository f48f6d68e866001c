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
    shape(target.surface, shift(left, target.origin.x), shift(top, target.origin.y), shift(right, target.origin.x),
          shift(bottom, target.origin.y), pen, brush);
    surface_drawn(target);
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
    surface_drawn(target);
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
    raster::polygon(target.surface, shifted.data(), count, pen_for(context->pen), brush_for(context->brush));
    surface_drawn(target);
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
    POINT from = context->position;
    raster::line(target.surface, shift(from.x, target.origin.x), shift(from.y, target.origin.y),
                 shift(x, target.origin.x), shift(y, target.origin.y), pen_for(context->pen));
    context->position = POINT{x, y};
    surface_drawn(target);
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
    surface_drawn(target);
    return raster::to_colorref(*pixel);
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y)
{
    ContextSurface target;
    uint32_t *pixel = surface_of(hdc, &target) ? clipped_pixel(target, x, y) : nullptr;
    return pixel == nullptr ? CLR_INVALID : raster::to_colorref(*pixel);
}
