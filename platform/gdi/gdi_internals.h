// What the drawing side of the window system shares among its files: GDI
// objects, drawing contexts, and the pixel surface a drawing context draws on.
#pragma once

#include <windows.h>

#include "gdi/fonts/font.h"
#include "gdi/raster/raster.h"
#include "handles.h"
#include "rects.h"

#include <cstdint>
#include <vector>

namespace qz370::platform {

// ---- GDI objects ------------------------------------------------------------

enum class ObjectKind { Pen, Brush, Font, Bitmap };

struct PenData {
    int style;
    int width;
    COLORREF color;
};

struct BrushData {
    bool hollow;
    COLORREF color;
};

struct FontData {
    fonts::Family family;
    int height;
    int weight;
};

struct BitmapData {
    int width;
    int height;
    std::vector<uint32_t> pixels;
};

struct GdiObject {
    ObjectKind kind;
    bool stock;      // never deleted
    int selections;  // how many contexts hold it: none may be deleted while one does
    union {  // by kind
        PenData pen;
        BrushData brush;
        FontData font;
    };
    BitmapData bitmap;  // apart: a bitmap's pixels are the only thing an object owns
};

// The stock objects and the default bitmap have slots besides the program's.
constexpr size_t STOCK_OBJECT_SLOTS = 14;
// gdi_objects.cpp's; here so that every drawing call finds its objects inline.
extern HandleTable<GdiObject, MOST_LIVE_HANDLES + STOCK_OBJECT_SLOTS> gdi_objects;

// Null unless a live object.
inline GdiObject *gdi_object_from(HGDIOBJ object)
{
    return gdi_objects.find(value_of(object));
}

HBITMAP default_bitmap();  // the 1 by 1 bitmap a new memory context holds

raster::Pen pen_for(HPEN pen);
raster::Brush brush_for(HBRUSH brush);
const fonts::Face *face_for_font(HFONT font);

// ---- Drawing contexts ---------------------------------------------------------

enum class ContextKind { Window, Memory };

struct DeviceContext {
    ContextKind kind;
    HWND hwnd;  // window contexts: the window whose client they draw on
    HPEN pen;
    HBRUSH brush;
    HFONT font;
    HBITMAP bitmap;  // memory contexts: what they draw on
    COLORREF text_color;
    COLORREF bk_color;
    int bk_mode;
    POINT position;
};

// device_contexts.cpp's; here so that every drawing call finds its context inline.
extern HandleTable<DeviceContext, MOST_LIVE_HANDLES> device_contexts;

// Null unless a live context.
inline DeviceContext *context_from(HDC hdc)
{
    return device_contexts.find(value_of(hdc));
}

// Where a context's drawing lands: pixels, the clip box within them, and the
// offset from the context's coordinates to the pixels'.
struct ContextSurface {
    raster::Surface surface;
    POINT origin;
    HWND shown_in;  // the top-level window whose client these pixels are; null for a bitmap
    HGDIOBJ bitmap;  // the bitmap these pixels are; null for a window
};

bool surface_of(HDC hdc, ContextSurface *out);  // false for a context that is gone
// As surface_of, for a caller about to paint all of painted (the context's
// coordinates) whatever it holds now, so that those pixels need not be made
// up to date first.
bool surface_to_paint(HDC hdc, const RECT &painted, ContextSurface *out);
// The surface's pixels changed, anywhere or only within reach (surface
// pixels): a window's display shows them at its next turn, and a bitmap
// remembers where it was drawn on.
void surface_drawn(const ContextSurface &surface);
void surface_drawn(const ContextSurface &surface, const RECT &reach);
// As surface_drawn, for a call that painted every pixel of box (surface
// pixels) in color and nothing else.
void surface_filled(const ContextSurface &surface, const RECT &box, uint32_t color);

// value + by, held within the range of int.
int shift(int value, LONG by);
// rect with each corner shifted by by.
RECT moved_by(const RECT &rect, POINT by);

// Fills a rectangle given in the context's coordinates; false for a hollow or
// unknown brush.
bool fill_with_brush(HDC hdc, const RECT &rect, HBRUSH brush);

// ---- Pixel loans ---------------------------------------------------------------

// A BitBlt from a bitmap's corner onto the whole client of a top-level window
// no larger than the bitmap exchanges the two blocks of pixels instead of
// copying; the bitmap takes a copy back only when it is next used. True when
// so done.
bool lend_bitmap_to_client(HDC dest, HDC src, int x, int y, int width, int height, int src_x, int src_y);
// The bitmap is about to be used: a loan of its pixels ends with the copy
// back, except of painted (bitmap pixels; may be null), about to be painted.
void end_pixel_loan_of_bitmap(HGDIOBJ bitmap, const RECT *painted);
// Pixels of the bitmap within reach (bitmap pixels) were drawn on.
void note_bitmap_drawn(HGDIOBJ bitmap, const RECT &reach);

}  // namespace qz370::platform
