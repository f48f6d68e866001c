// Drawing contexts: window contexts draw on a window's client pixels, memory
// contexts on the bitmap selected into them; each keeps its pen, brush, font,
// colours and current position.
#include "gdi/gdi_internals.h"
#include "handles.h"
#include "user/window_internals.h"

#include <algorithm>

namespace qz370::platform {

HandleTable<DeviceContext, MOST_LIVE_HANDLES> device_contexts(HandleKind::DEVICE_CONTEXT);

namespace {

// Each object counts the contexts that hold it.
void hold(HGDIOBJ object)
{
    if (GdiObject *found = gdi_object_from(object)) {
        ++found->selections;
    }
}

void let_go(HGDIOBJ object)
{
    if (GdiObject *found = gdi_object_from(object)) {
        --found->selections;
    }
}

void hold_everything(const DeviceContext &context)
{
    hold(context.pen);
    hold(context.brush);
    hold(context.font);
    hold(context.bitmap);
}

void let_go_of_everything(const DeviceContext &context)
{
    let_go(context.pen);
    let_go(context.brush);
    let_go(context.font);
    let_go(context.bitmap);
}

// Null when the table is full.
HDC new_context(ContextKind kind, HWND hwnd)
{
    DeviceContext context{kind,
                          hwnd,
                          static_cast<HPEN>(GetStockObject(BLACK_PEN)),
                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                          static_cast<HFONT>(GetStockObject(SYSTEM_FONT)),
                          kind == ContextKind::Memory ? default_bitmap() : nullptr,
                          RGB(0, 0, 0),
                          RGB(255, 255, 255),
                          OPAQUE,
                          POINT{0, 0}};
    uintptr_t value;
    if (DeviceContext *added = device_contexts.add(&value)) {
        *added = context;
        hold_everything(context);
    }
    return handle_from_value<HDC>(value);
}

void remove_context(HDC hdc, const DeviceContext &context)
{
    let_go_of_everything(context);
    device_contexts.remove(value_of(hdc));
}

// painted is in the context's coordinates, or null for nothing.
bool window_surface(const DeviceContext &context, const RECT *painted, ContextSurface *out)
{
    HWND top = top_level_of(context.hwnd);
    Window *window = window_from(top);
    if (window == nullptr) {
        return false;
    }
    const RECT clip = visible_client_in_top_level(context.hwnd);
    const POINT origin = client_origin_in_top_level(context.hwnd);
    const RECT painted_pixels = painted != nullptr ? intersection(moved_by(*painted, origin), clip) : RECT{};
    end_pixel_loan_of(*window);
    uint32_t *rows = client_pixel_rows_to_paint(*window, painted != nullptr ? &painted_pixels : nullptr);
    out->surface = raster::Surface{rows, window->pixel_width, window->pixel_height, window->pixel_stride, clip};
    out->origin = origin;
    out->shown_in = top;
    out->bitmap = nullptr;
    return true;
}

bool bitmap_surface(const DeviceContext &context, const RECT *painted, ContextSurface *out)
{
    GdiObject *object = gdi_object_from(context.bitmap);
    if (object == nullptr || object->kind != ObjectKind::Bitmap) {
        return false;
    }
    end_pixel_loan_of_bitmap(context.bitmap, painted);
    BitmapData &bitmap = object->bitmap;
    out->surface = raster::Surface{bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width,
                                   RECT{0, 0, bitmap.width, bitmap.height}};
    out->origin = POINT{0, 0};
    out->shown_in = nullptr;
    out->bitmap = context.bitmap;
    return true;
}

template <typename Handle>
HGDIOBJ swap_object(Handle &held, HGDIOBJ object, GdiObject &found)
{
    ++found.selections;
    let_go(held);
    HGDIOBJ previous = held;
    held = static_cast<Handle>(object);
    return previous;
}

// A bitmap is drawn on by one memory context at a time.
bool bitmap_taken(HGDIOBJ bitmap, const GdiObject &object)
{
    return bitmap != default_bitmap() && object.selections > 0;
}

HGDIOBJ select_bitmap(DeviceContext &context, HGDIOBJ bitmap, GdiObject &object)
{
    if (context.kind != ContextKind::Memory || (bitmap != context.bitmap && bitmap_taken(bitmap, object))) {
        return nullptr;
    }
    return swap_object(context.bitmap, bitmap, object);
}

bool surface_painting(HDC hdc, const RECT *painted, ContextSurface *out)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr) {
        return false;
    }
    return context->kind == ContextKind::Memory ? bitmap_surface(*context, painted, out)
                                                : window_surface(*context, painted, out);
}

}  // namespace

bool surface_of(HDC hdc, ContextSurface *out)
{
    return surface_painting(hdc, nullptr, out);
}

bool surface_to_paint(HDC hdc, const RECT &painted, ContextSurface *out)
{
    return surface_painting(hdc, &painted, out);
}

void surface_drawn(const ContextSurface &surface)
{
    surface_drawn(surface, RECT{0, 0, surface.surface.width, surface.surface.height});
}

void surface_drawn(const ContextSurface &surface, const RECT &reach)
{
    if (surface.bitmap != nullptr) {
        note_bitmap_drawn(surface.bitmap, intersection(reach, surface.surface.clip));
    }
    if (surface.shown_in != nullptr) {
        client_pixels_drawn(surface.shown_in, intersection(reach, surface.surface.clip));
    }
}

void surface_filled(const ContextSurface &surface, const RECT &box, uint32_t color)
{
    if (surface.shown_in == nullptr) {
        surface_drawn(surface, box);
        return;
    }
    client_pixels_filled(surface.shown_in, intersection(box, surface.surface.clip), color);
}

int shift(int value, LONG by)
{
    return clamp_to_int(int64_t{value} + by);
}

RECT moved_by(const RECT &rect, POINT by)
{
    return RECT{shift(rect.left, by.x), shift(rect.top, by.y), shift(rect.right, by.x), shift(rect.bottom, by.y)};
}

}  // namespace qz370::platform

using namespace qz370::platform;

HDC WINAPI GetDC(HWND hwnd)
{
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        return nullptr;
    }
    return new_context(ContextKind::Window, hwnd);
}

int WINAPI ReleaseDC(HWND, HDC hdc)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr || context->kind != ContextKind::Window) {
        return 0;
    }
    remove_context(hdc, *context);
    return 1;
}

HDC WINAPI CreateCompatibleDC(HDC hdc)
{
    if (hdc != nullptr && context_from(hdc) == nullptr) {
        return nullptr;
    }
    return new_context(ContextKind::Memory, nullptr);
}

BOOL WINAPI DeleteDC(HDC hdc)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr) {
        return FALSE;
    }
    remove_context(hdc, *context);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ object)
{
    DeviceContext *context = context_from(hdc);
    GdiObject *found = gdi_object_from(object);
    if (context == nullptr || found == nullptr) {
        return nullptr;
    }
    switch (found->kind) {
    case ObjectKind::Pen:
        return swap_object(context->pen, object, *found);
    case ObjectKind::Brush:
        return swap_object(context->brush, object, *found);
    case ObjectKind::Font:
        return swap_object(context->font, object, *found);
    case ObjectKind::Bitmap:
        return select_bitmap(*context, object, *found);
    }
    return nullptr;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr) {
        return nullptr;
    }
    switch (type) {
    case OBJ_PEN:
        return context->pen;
    case OBJ_BRUSH:
        return context->brush;
    case OBJ_FONT:
        return context->font;
    case OBJ_BITMAP:
        return context->bitmap;
    default:
        return nullptr;
    }
}
