// Pens, brushes, fonts and bitmaps: creating, deleting, the stock objects, and
// what each becomes when the rasteriser and the font mapper draw with it.
#include "gdi/gdi_internals.h"
#include "handles.h"

#include <algorithm>
#include <array>

namespace qz370::platform {

HandleTable<GdiObject, MOST_LIVE_HANDLES + STOCK_OBJECT_SLOTS> gdi_objects(HandleKind::GDI_OBJECT);

namespace {

constexpr int MAX_BITMAP_EXTENT = 16384;
constexpr int64_t MAX_BITMAP_PIXELS = int64_t{1} << 26;
// Beyond this, a font height asks for glyphs larger than any screen.
constexpr int MAX_FONT_HEIGHT = 1000;
constexpr int LIGHT_GRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DARK_GRAY_BRUSH = 3;
constexpr int HIGHEST_STOCK_OBJECT = DEFAULT_GUI_FONT;
constexpr std::array STOCK_OBJECTS{WHITE_BRUSH, LIGHT_GRAY_BRUSH, GRAY_BRUSH,    DARK_GRAY_BRUSH, BLACK_BRUSH,
                                   NULL_BRUSH,  WHITE_PEN,        BLACK_PEN,     NULL_PEN,        ANSI_FIXED_FONT,
                                   ANSI_VAR_FONT, SYSTEM_FONT,    DEFAULT_GUI_FONT};
constexpr size_t DEFAULT_BITMAPS = 1;
static_assert(STOCK_OBJECT_SLOTS == STOCK_OBJECTS.size() + DEFAULT_BITMAPS);

// A new object, all zero, for the caller to make; null when the table is full.
GdiObject *new_object(HGDIOBJ *handle)
{
    uintptr_t value;
    GdiObject *object = gdi_objects.add(&value);
    *handle = handle_from_value<HGDIOBJ>(value);
    return object;
}

void make_pen(GdiObject &object, int style, int width, COLORREF color)
{
    object.kind = ObjectKind::Pen;
    object.pen = PenData{style, std::max(width, 0), color};
}

void make_brush(GdiObject &object, bool hollow, COLORREF color)
{
    object.kind = ObjectKind::Brush;
    object.brush = BrushData{hollow, color};
}

void make_font(GdiObject &object, fonts::Family family, int height, int weight)
{
    object.kind = ObjectKind::Font;
    object.font = FontData{family, std::clamp(height, -MAX_FONT_HEIGHT, MAX_FONT_HEIGHT),
                           weight <= 0 ? FW_NORMAL : weight};
}

void make_bitmap(GdiObject &object, int width, int height)
{
    object.kind = ObjectKind::Bitmap;
    object.bitmap.width = width;
    object.bitmap.height = height;
    object.bitmap.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

// index is one of STOCK_OBJECTS.
void make_stock_object(int index, GdiObject &object)
{
    object.stock = true;
    switch (index) {
    case WHITE_BRUSH:
        return make_brush(object, false, RGB(255, 255, 255));
    case LIGHT_GRAY_BRUSH:
        return make_brush(object, false, RGB(192, 192, 192));
    case GRAY_BRUSH:
        return make_brush(object, false, RGB(128, 128, 128));
    case DARK_GRAY_BRUSH:
        return make_brush(object, false, RGB(64, 64, 64));
    case BLACK_BRUSH:
        return make_brush(object, false, RGB(0, 0, 0));
    case NULL_BRUSH:
        return make_brush(object, true, 0);
    case WHITE_PEN:
        return make_pen(object, PS_SOLID, 0, RGB(255, 255, 255));
    case BLACK_PEN:
        return make_pen(object, PS_SOLID, 0, RGB(0, 0, 0));
    case NULL_PEN:
        return make_pen(object, PS_NULL, 0, 0);
    case ANSI_FIXED_FONT:
        return make_font(object, fonts::Family::Mono, 0, FW_NORMAL);
    case ANSI_VAR_FONT:
        return make_font(object, fonts::Family::Sans, 0, FW_NORMAL);
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        return make_font(object, fonts::Family::System, 0, FW_NORMAL);
    }
}

std::array<HGDIOBJ, HIGHEST_STOCK_OBJECT + 1> made_stock_objects()
{
    std::array<HGDIOBJ, HIGHEST_STOCK_OBJECT + 1> made{};
    for (int index : STOCK_OBJECTS) {
        make_stock_object(index, *new_object(&made[index]));
    }
    return made;
}

HGDIOBJ made_default_bitmap()
{
    HGDIOBJ bitmap;
    GdiObject *object = new_object(&bitmap);
    make_bitmap(*object, 1, 1);
    object->stock = true;
    return bitmap;
}

// Made before the program's own objects, which leave their slots free.
const std::array<HGDIOBJ, HIGHEST_STOCK_OBJECT + 1> stock_objects = made_stock_objects();
const HGDIOBJ the_default_bitmap = made_default_bitmap();

}  // namespace

HBITMAP default_bitmap()
{
    return static_cast<HBITMAP>(the_default_bitmap);
}

raster::Pen pen_for(HPEN pen)
{
    GdiObject *object = gdi_object_from(pen);
    if (object == nullptr || object->kind != ObjectKind::Pen || object->pen.style == PS_NULL) {
        return raster::Pen{false, 0, 0};
    }
    return raster::Pen{true, object->pen.width, raster::from_colorref(object->pen.color)};
}

raster::Brush brush_for(HBRUSH brush)
{
    GdiObject *object = gdi_object_from(brush);
    if (object == nullptr || object->kind != ObjectKind::Brush || object->brush.hollow) {
        return raster::Brush{false, 0};
    }
    return raster::Brush{true, raster::from_colorref(object->brush.color)};
}

const fonts::Face *face_for_font(HFONT font)
{
    GdiObject *object = gdi_object_from(font);
    if (object == nullptr || object->kind != ObjectKind::Font) {
        return fonts::face_for(fonts::Family::System, 0, FW_NORMAL);
    }
    return fonts::face_for(object->font.family, object->font.height, object->font.weight);
}

}  // namespace qz370::platform

using namespace qz370::platform;

HGDIOBJ WINAPI GetStockObject(int index)
{
    return index < 0 || index > HIGHEST_STOCK_OBJECT ? nullptr : stock_objects[index];
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color)
{
    HGDIOBJ pen;
    if (GdiObject *object = new_object(&pen)) {
        make_pen(*object, style, width, color);
    }
    return static_cast<HPEN>(pen);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    HGDIOBJ brush;
    if (GdiObject *object = new_object(&brush)) {
        make_brush(*object, false, color);
    }
    return static_cast<HBRUSH>(brush);
}

HFONT WINAPI CreateFontA(int height, int, int, int, int weight, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                         DWORD, LPCSTR)
{
    HGDIOBJ font;
    if (GdiObject *object = new_object(&font)) {
        // Whatever face is asked for, the font mapper's sans-serif face stands in.
        make_font(*object, qz370::fonts::Family::Sans, height, weight);
    }
    return static_cast<HFONT>(font);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC, int width, int height)
{
    if (width <= 0 || height <= 0 || width > MAX_BITMAP_EXTENT || height > MAX_BITMAP_EXTENT ||
        int64_t{width} * height > MAX_BITMAP_PIXELS) {
        return nullptr;
    }
    HGDIOBJ bitmap;
    if (GdiObject *object = new_object(&bitmap)) {
        make_bitmap(*object, width, height);
    }
    return static_cast<HBITMAP>(bitmap);
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    GdiObject *found = gdi_object_from(object);
    if (found == nullptr) {
        return FALSE;
    }
    if (found->stock) {
        return TRUE;
    }
    // Win32 refuses to delete what a drawing context still holds.
    if (found->selections > 0) {
        return FALSE;
    }
    if (found->kind == ObjectKind::Bitmap) {
        end_pixel_loan_of_bitmap(object, nullptr);
    }
    gdi_objects.remove(value_of(object));
    return TRUE;
}
